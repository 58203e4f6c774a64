#include "protocol/crc8.h"

#include <array>

namespace qm720 {

namespace {

// Register contribution of each bit of (data XOR register), bit 0 first.
constexpr std::array<std::uint8_t, 8> kBitConstants = {0x5E, 0xBC, 0x61, 0xC2,
                                                       0x9D, 0x23, 0x46, 0x8C};

}  // namespace

std::uint8_t crc(std::uint8_t data, std::uint8_t& cr) {
    const std::uint8_t i = data ^ cr;
    cr = 0;
    if (i & 0x01)
        cr ^= kBitConstants[0];
    if (i & 0x02)
        cr ^= kBitConstants[1];
    if (i & 0x04)
        cr ^= kBitConstants[2];
    if (i & 0x08)
        cr ^= kBitConstants[3];
    if (i & 0x10)
        cr ^= kBitConstants[4];
    if (i & 0x20)
        cr ^= kBitConstants[5];
    if (i & 0x40)
        cr ^= kBitConstants[6];
    if (i & 0x80)
        cr ^= kBitConstants[7];
    return cr;
}

std::uint8_t crc_of(const Bytes& bytes, std::size_t count) {
    std::uint8_t reg = 0;
    for (std::size_t k = 0; k < count && k < bytes.size(); ++k) {
        crc(bytes[k], reg);
    }
    return reg;
}

Bytes with_crc(const Bytes& sstr) {
    Bytes framed = sstr;
    framed.push_back(crc_of(sstr, sstr.size()));
    return framed;
}

}  // namespace qm720
