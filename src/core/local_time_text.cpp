#include "core/local_time.h"

namespace qm720 {

std::string iso_local_time(std::time_t moment) {
    const std::tm local = local_time(moment);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

}  // namespace qm720
