#include "protocol/crc8.h"

#include <array>

namespace qm720 {

namespace {

// Register contribution of each bit of (data XOR register), bit 0 first.
constexpr std::array<std::uint8_t, 8> kBitConstants = {0x5E, 0xBC, 0x61, 0xC2,
                                                       0x9D, 0x23, 0x46, 0x8C};

// One step of the CRC, computed without a loop: each set bit of data XOR register contributes
// a fixed constant.
std::uint8_t crc_step(std::uint8_t data, std::uint8_t reg) {
    const std::uint8_t mixed = data ^ reg;
    std::uint8_t next = 0;
    for (std::size_t bit = 0; bit < kBitConstants.size(); ++bit) {
        if (mixed & (1u << bit)) {
            next ^= kBitConstants[bit];
        }
    }
    return next;
}

}  // namespace

std::uint8_t crc_of(const Bytes& bytes, std::size_t count) {
    std::uint8_t reg = 0;
    for (std::size_t k = 0; k < count && k < bytes.size(); ++k) {
        reg = crc_step(bytes[k], reg);
    }
    return reg;
}

Bytes with_crc(const Bytes& frame) {
    Bytes framed = frame;
    framed.push_back(crc_of(frame, frame.size()));
    return framed;
}

}  // namespace qm720
