#include "presentation/mode_byte.h"

#include <gtest/gtest.h>

#include <map>

#include "support/form_harness.h"

namespace qm720 {
namespace {

const char* const kOptions[] = {"R485", "R_a", "R_f", "R_p", "R_p485"};

std::map<std::string, bool> options(const frmSerial& form) {
    std::map<std::string, bool> state;
    for (const char* name : kOptions) {
        state[name] = form.control(name).checked;
    }
    return state;
}

TEST(ModeByte, SelectorPicksExactlyOneOptionAndFlagsFollowTheirBits) {
    const struct {
        std::uint8_t mode;
        const char* option;
        bool inversion, smoothing, range_4096;
    } cases[] = {
        {0x00, "R485", false, false, false},   {0x89, "R485", true, true, true},
        {0x02, "R_a", false, false, false},    {0x62, "R_a", false, false, false},
        {0x04, "R_f", false, false, false},    {0x06, "R_p", false, false, false},
        {0x10, "R_p485", false, false, false}, {0x91, "R_p485", true, false, true},
    };
    for (const auto& c : cases) {
        test::FormHarness h;
        h.form.control("R_f").checked = true;
        Out_modes(h.form, c.mode);
        for (const char* name : kOptions) {
            EXPECT_EQ(h.form.control(name).checked, std::string(name) == c.option)
                << int(c.mode) << " " << name;
        }
        EXPECT_EQ(h.form.control("iinv").checked, c.inversion) << int(c.mode);
        EXPECT_EQ(h.form.control("usredn").checked, c.smoothing) << int(c.mode);
        EXPECT_EQ(h.form.control("D_4096").checked, c.range_4096) << int(c.mode);
        EXPECT_EQ(h.form.Ur_progressBar, c.range_4096 ? 4096 : 1024) << int(c.mode);
        EXPECT_EQ(h.form.mode_str, std::to_string(c.mode));
        EXPECT_FALSE(h.form.mode_yes);
    }
}

TEST(ModeByte, SelectorsWithoutAnOptionLeaveTheOptionsAlone) {
    for (const std::uint8_t mode : {0x12, 0x14, 0x16, 0x36, 0x9F}) {
        test::FormHarness h;
        h.form.control("R_p").checked = true;
        const auto before = options(h.form);
        Out_modes(h.form, mode);
        EXPECT_EQ(options(h.form), before) << int(mode);
        EXPECT_EQ(h.form.control("iinv").checked, (mode & 0x01) != 0);
        EXPECT_EQ(h.form.control("usredn").checked, (mode & 0x08) != 0);
        EXPECT_EQ(h.form.control("D_4096").checked, (mode & 0x80) != 0);
    }
}

}  // namespace
}  // namespace qm720
