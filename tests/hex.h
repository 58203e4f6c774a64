#pragma once

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "core/bytes.h"

namespace qm720::test {

// "31 01 F0 C5" -> the bytes; lets expected frames be written as they are printed.
inline Bytes hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
    }
    return bytes;
}

// The parts one after another, as they arrive on the line: noise, then a reply.
inline Bytes joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace qm720::test
