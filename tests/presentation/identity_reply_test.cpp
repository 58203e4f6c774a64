#include "presentation/identity_reply.h"

#include <gtest/gtest.h>

#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

bool group_enabled(const frmSerial& form, const char* name) {
    return form.control(name).enabled;
}

class IdentityReply : public ::testing::Test {
  protected:
    void SetUp() override { h.form.Form_Load(); }
    test::FormHarness h;
};

TEST_F(IdentityReply, SerialNumberVersionGroupsAndLog) {
    assept_sn(h.form, test::identity_reply(123456, 131));
    EXPECT_EQ(h.form.control("sn").caption, "123456");
    EXPECT_EQ(h.form.control("vv").caption, "1.3.1.");
    EXPECT_TRUE(group_enabled(h.form, "R_a"));
    EXPECT_TRUE(group_enabled(h.form, "R_p"));
    EXPECT_FALSE(group_enabled(h.form, "R_p485"));
    EXPECT_FALSE(group_enabled(h.form, "sdv_hi"));
    EXPECT_EQ(test::logged_texts(h), std::vector<std::string>{"Device: 123456  Ver Soft: 1.3.1."});

    // A later sensor with a lower version disables nothing.
    assept_sn(h.form, test::identity_reply(2, 120));
    EXPECT_TRUE(group_enabled(h.form, "R_p"));
    EXPECT_EQ(h.form.control("vv").caption, "1.2.0.");
}

TEST_F(IdentityReply, VersionTexts) {
    const struct {
        std::uint8_t version, prefix;
        const char* text;
    } cases[] = {{131, 0, "1.3.1."},  {42, 0, "4.2.."}, {7, 0, "7..."},
                 {105, 2, "21.0.5."}, {0, 0, "0..."},   {255, 255, "2552.5.5."}};
    for (const auto& c : cases) {
        assept_sn(h.form, test::identity_reply(1, c.version, c.prefix));
        EXPECT_EQ(h.form.control("vv").caption, c.text) << int(c.version);
    }
}

TEST(IdentityReplyGroups, VersionThresholdsEnableTheirGroupsOnly) {
    const struct {
        std::uint8_t version;
        bool g130, g131, g163;
    } cases[] = {{129, false, false, false}, {130, true, false, false}, {131, true, true, false},
                 {134, true, true, false},   {162, true, true, false},  {163, true, true, true},
                 {255, true, true, true}};
    for (const auto& c : cases) {
        test::FormHarness h;
        assept_sn(h.form, test::identity_reply(1, c.version));
        EXPECT_EQ(group_enabled(h.form, "R_f"), c.g130) << int(c.version);
        EXPECT_EQ(group_enabled(h.form, "R_p"), c.g131) << int(c.version);
        EXPECT_EQ(group_enabled(h.form, "D_4096"), c.g163) << int(c.version);
        EXPECT_EQ(group_enabled(h.form, "sdv_low"), c.g163) << int(c.version);
    }
}

TEST_F(IdentityReply, ShortFramesShowQuestionMarksAndLogNothing) {
    for (const std::size_t length : {4u, 5u, 6u}) {
        Bytes frame = test::identity_reply(123456, 131);
        frame.resize(length);
        h.form.control("sn").caption = "77";
        assept_sn(h.form, frame);
        EXPECT_EQ(h.form.control("sn").caption, "????????") << length;
    }
    EXPECT_TRUE(test::logged_texts(h).empty());
    EXPECT_EQ(h.form.control("vv").caption, "-------------------");
}

TEST_F(IdentityReply, FramesWithoutVersionKeepTheEarlierVersionText) {
    for (const std::size_t length : {7u, 8u, 9u, 11u}) {
        Bytes frame = test::identity_reply(4294967295u, 163);
        frame.resize(length, 0x00);
        assept_sn(h.form, frame);
        EXPECT_EQ(h.form.control("sn").caption, "4294967295") << length;
        EXPECT_EQ(h.form.control("vv").caption, "-------------------") << length;
        EXPECT_FALSE(group_enabled(h.form, "R_a")) << length;
    }
    EXPECT_EQ(test::logged_texts(h).back(), "Device: 4294967295  Ver Soft: -------------------");
}

}  // namespace
}  // namespace qm720
