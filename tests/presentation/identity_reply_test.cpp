#include "presentation/identity_reply.h"

#include <gtest/gtest.h>

#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

class IdentityReply : public ::testing::Test {
  protected:
    void SetUp() override { h.form.start_up(); }
    const std::string& caption(const char* name) { return h.form.control(name).caption; }
    bool enabled(const char* name) { return h.form.control(name).enabled; }

    test::FormHarness h;
};

// A prefix goes straight before the first digit, and each of the three digit places keeps its dot.
TEST_F(IdentityReply, SerialNumberAndVersionTextsAreShownAndLogged) {
    const struct {
        std::uint8_t version, prefix;
        const char* text;
    } cases[] = {{131, 0, "1.3.1."}, {42, 0, "4.2.."}, {7, 0, "7..."}, {105, 2, "21.0.5."}};
    for (const auto& c : cases) {
        show_identity(h.form, test::identity_reply(4294967295u, c.version, c.prefix));
        EXPECT_EQ(caption("sn"), "4294967295");
        EXPECT_EQ(caption("vv"), c.text) << int(c.version);
        EXPECT_EQ(test::logged_texts(h).back(), "Device: 4294967295  Ver Soft: " + caption("vv"));
    }
}

// Each version enables the groups of what it offers; a later, older sensor disables nothing.
TEST_F(IdentityReply, VersionThresholdsEnableTheirGroupsOnly) {
    const struct {
        std::uint8_t version;
        bool g130, g131, g163;
    } cases[] = {{129, false, false, false}, {130, true, false, false}, {131, true, true, false},
                 {162, true, true, false},   {163, true, true, true},   {120, true, true, true}};
    for (const auto& c : cases) {
        show_identity(h.form, test::identity_reply(1, c.version));
        EXPECT_EQ(enabled("R_f"), c.g130) << int(c.version);
        EXPECT_EQ(enabled("R_p"), c.g131) << int(c.version);
        EXPECT_EQ(enabled("sdv_low"), c.g163) << int(c.version);
        EXPECT_FALSE(enabled("low")) << int(c.version);
    }
}

// Up to 6 bytes there is no serial number; from 7 on there is, but a version only in 10.
TEST_F(IdentityReply, ShortFramesShowWhatTheyHold) {
    for (const std::size_t length : {4u, 5u, 6u}) {
        Bytes frame = test::identity_reply(123456, 131);
        frame.resize(length);
        h.form.control("sn").caption = "77";
        show_identity(h.form, frame);
        EXPECT_EQ(caption("sn"), "????????") << length;
    }
    EXPECT_TRUE(test::logged_texts(h).empty());
    for (const std::size_t length : {7u, 8u, 9u, 11u}) {
        Bytes frame = test::identity_reply(4294967295u, 163);
        frame.resize(length, 0x00);
        show_identity(h.form, frame);
        EXPECT_EQ(caption("sn"), "4294967295") << length;
        EXPECT_EQ(caption("vv"), "-------------------") << length;
        EXPECT_FALSE(enabled("R_a")) << length;
    }
    EXPECT_EQ(test::logged_texts(h).back(), "Device: 4294967295  Ver Soft: -------------------");
}

}  // namespace
}  // namespace qm720
