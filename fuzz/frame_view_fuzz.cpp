// The frame view shows any bytes the line brings, and the log takes any text to cp1251: the
// view's own well-formed UTF-8 and the raw bytes, malformed UTF-8 included.
#include "app/cp1251.h"
#include "app/frame_view.h"
#include "fuzz.h"

QM720_FUZZ(input) {
    static_cast<void>(
        qm720::utf8_to_cp1251(qm720::frame_view_text(qm720::Bytes(data, data + size))));
    static_cast<void>(qm720::utf8_to_cp1251(input));
}
