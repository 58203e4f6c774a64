#include "sim/request_assembler.h"

#include <gtest/gtest.h>

#include "hex.h"

namespace qm720::sim {
namespace {

using test::hex;

TEST(RequestAssembler, CutsTheStreamByTheLengthOfEachCode) {
    const struct {
        const char* what;
        const char* stream;
        std::vector<const char*> requests;
    } cases[] = {
        {"poll", "31 01 F0 C5", {"31 01 F0 C5"}},
        {"scan", "31 FF DC", {"31 FF DC"}},
        {"poll to 255 is no scan", "31 FF F0 80", {"31 FF F0 80"}},
        {"back to back",
         "31 01 FC 66 31 FF DC 31 01 F2 83 0A 31 01 F9 03 E8 BB 31 01 F6 00 0F 42 40 37",
         {"31 01 FC 66", "31 FF DC", "31 01 F2 83 0A", "31 01 F9 03 E8 BB",
          "31 01 F6 00 0F 42 40 37"}},
        {"noise before a request", "00 7E 3E 31 01 FA BB", {"31 01 FA BB"}},
        {"unknown code skipped", "31 01 E0 31 01 F5 FA", {"31 01 F5 FA"}},
        {"payload bytes may equal the prefix",
         "31 31 F8 31 31 31 31 AA",
         {"31 31 F8 31 31 31 31 AA"}},
        {"unfinished tail kept back", "31 01 F0 C5 31 01 F6 00", {"31 01 F0 C5"}},
    };
    for (const auto& c : cases) {
        RequestAssembler assembler;
        std::vector<Bytes> expected;
        for (const char* request : c.requests) {
            expected.push_back(hex(request));
        }
        EXPECT_EQ(assembler.feed(hex(c.stream)), expected) << c.what;
    }
}

TEST(RequestAssembler, RequestSplitAcrossReadsComesOutWhenComplete) {
    const Bytes request = hex("31 01 F4 FC 18 5E");
    for (std::size_t split = 1; split < request.size(); ++split) {
        RequestAssembler assembler;
        EXPECT_TRUE(assembler.feed(Bytes(request.begin(), request.begin() + split)).empty());
        EXPECT_TRUE(assembler.has_unfinished());
        EXPECT_EQ(assembler.feed(Bytes(request.begin() + split, request.end())),
                  std::vector<Bytes>{request})
            << "split after " << split;
        EXPECT_FALSE(assembler.has_unfinished());
    }
}

}  // namespace
}  // namespace qm720::sim
