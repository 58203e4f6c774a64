#include "presentation/mode_byte.h"

#include <gtest/gtest.h>

#include "support/form_harness.h"

namespace qm720 {
namespace {

// Bits 1, 2 and 4 select the output option, and a selector that names none leaves the options as
// they were (R_f here); bit 0 is inversion, bit 3 smoothing, bit 7 the 4096 range.
TEST(ModeByte, SelectorPicksExactlyOneOptionAndFlagsFollowTheirBits) {
    const struct {
        std::uint8_t mode;
        const char* option;
    } cases[] = {{0x00, "R485"}, {0x89, "R485"},   {0x62, "R_a"},    {0x04, "R_f"},
                 {0x06, "R_p"},  {0x10, "R_p485"}, {0x91, "R_p485"}, {0x12, "R_f"},
                 {0x14, "R_f"},  {0x16, "R_f"},    {0x9F, "R_f"}};
    for (const auto& c : cases) {
        test::FormHarness h;
        h.form.control("R_f").checked = true;
        show_mode(h.form, c.mode);
        for (const char* name : {"R485", "R_a", "R_f", "R_p", "R_p485"}) {
            EXPECT_EQ(h.form.control(name).checked, std::string(name) == c.option)
                << int(c.mode) << " " << name;
        }
        EXPECT_EQ(h.form.control("iinv").checked, (c.mode & 0x01) != 0) << int(c.mode);
        EXPECT_EQ(h.form.control("usredn").checked, (c.mode & 0x08) != 0) << int(c.mode);
        EXPECT_EQ(h.form.control("D_4096").checked, (c.mode & 0x80) != 0) << int(c.mode);
        EXPECT_EQ(h.form.level_full_scale, (c.mode & 0x80) != 0 ? 4096 : 1024) << int(c.mode);
        EXPECT_EQ(h.form.mode_text, std::to_string(c.mode));
        EXPECT_FALSE(h.form.show_next_mode);
    }
}

}  // namespace
}  // namespace qm720
