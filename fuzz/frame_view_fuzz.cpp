// The frame view shows any bytes the line brings, and the log takes any text to cp1251.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/cp1251.h"
#include "app/frame_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string view = qm720::frame_view_text(qm720::Bytes(data, data + size));
    // Both the view's own well-formed UTF-8 and the raw bytes, malformed UTF-8 included.
    static_cast<void>(qm720::utf8_to_cp1251(view));
    static_cast<void>(
        qm720::utf8_to_cp1251(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
