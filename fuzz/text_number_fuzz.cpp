// Numbers as the operator types them: any text has a value or none.
#include "core/text_number.h"
#include "fuzz.h"
#include "protocol/four_bytes.h"
#include "protocol/requests.h"

QM720_FUZZ(input) {
    if (const auto number = qm720::whole_number(input)) {
        static_cast<void>(qm720::four_bytes(*number));
    }
    static_cast<void>(qm720::number_in_range(input, -qm720::kMaxShift, qm720::kMaxShift));
    static_cast<void>(qm720::address_from_text(input));
}
