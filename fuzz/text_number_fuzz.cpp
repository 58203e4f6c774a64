// Numbers as the operator types them: any text has a value or none.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/text_number.h"
#include "protocol/four_bytes.h"
#include "protocol/requests.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto number = qm720::whole_number(text)) {
        static_cast<void>(qm720::four_bytes(*number));
    }
    static_cast<void>(qm720::number_in_range(text, -qm720::kMaxShift, qm720::kMaxShift));
    static_cast<void>(qm720::address_from_text(text));
    return 0;
}
