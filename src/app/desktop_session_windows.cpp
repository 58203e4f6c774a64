#include "app/desktop_session.h"

namespace qm720 {

bool desktop_session_present() {
    return true;
}

}  // namespace qm720
