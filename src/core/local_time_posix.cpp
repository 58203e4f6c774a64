#include "core/local_time.h"

namespace qm720 {

std::tm local_time(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

}  // namespace qm720
