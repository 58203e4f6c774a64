#include <gtest/gtest.h>

#include "serial/line_settings.h"

namespace qm720 {
namespace {

TEST(LineSettingsText, ReadsTheModeSyntax) {
    const struct {
        const char* text;
        LineSettings line;
    } cases[] = {
        {"19200,n,8,1", {B19200, Parity::None, 8, StopBits::One}},
        {" 19200 , N , 8 , 1 ", {B19200, Parity::None, 8, StopBits::One}},
        {"19,n,8,1", {B19200, Parity::None, 8, StopBits::One}},
        {"96,E,7,2", {B9600, Parity::Even, 7, StopBits::Two}},
        {"1200,o,6,1", {B1200, Parity::Odd, 6, StopBits::One}},
        {"115200,M,8,1", {B115200, Parity::Mark, 8, StopBits::One}},
        {"110,s,5,1.5", {B110, Parity::Space, 5, StopBits::OneAndHalf}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parse_line_settings(c.text), c.line) << c.text;
    }
}

TEST(LineSettingsText, RefusesAnythingElse) {
    const char* const texts[] = {
        "",
        "19200",
        "19200,n,8",
        "19200,n,8,1,x",
        "19200,,8,1",
        "19200,x,8,1",
        "19200,no,8,1",
        "19200,n,9,1",
        "19200,n,4,1",
        "19200,n,8,3",
        "19200,n,8,0",
        "14400,n,8,1",
        "-19200,n,8,1",
        "+19200,n,8,1",
        "19200.0,n,8,1",
        "abc,n,8,1",
        "19200;n;8;1",
        "19200,n,8,1,",
    };
    for (const char* text : texts) {
        EXPECT_EQ(parse_line_settings(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(LineAttributes, FollowParityDataAndStopBits) {
    const struct {
        const char* text;
        tcflag_t flags;
    } cases[] = {
        {"9600,e,7,2", CS7 | PARENB | CSTOPB},
        {"9600,o,8,1", CS8 | PARENB | PARODD},
        {"9600,m,8,1", CS8 | PARENB | PARODD | CMSPAR},
        {"9600,s,6,1", CS6 | PARENB | CMSPAR},
        {"9600,n,5,1.5", CS5 | CSTOPB},
    };
    for (const auto& c : cases) {
        termios attributes{};
        ASSERT_TRUE(set_line_attributes(*parse_line_settings(c.text), attributes)) << c.text;
        EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), c.flags)
            << c.text;
    }
}

TEST(LineAttributes, RefuseStopBitsNoUartSends) {
    for (const char* text : {"19200,n,8,1.5", "19200,n,6,1.5", "19200,n,5,2"}) {
        termios attributes{};
        EXPECT_FALSE(set_line_attributes(*parse_line_settings(text), attributes)) << text;
    }
}

}  // namespace
}  // namespace qm720
