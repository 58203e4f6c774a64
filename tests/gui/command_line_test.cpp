#include "gui/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm720::gui {
namespace {

// Qt's own options pass to Qt as Qt takes them: one dash or two, the value apart or, for some,
// joined by '='. What Qt would not take is refused like any unknown option.
TEST(ProgramArguments, QtsOwnOptionsOpenTheWindowAndAnythingElseIsRefused) {
    using enum ProgramRequest;
    const struct {
        std::vector<const char*> arguments;
        ProgramRequest request;
        bool platform_chosen = false;
    } cases[] = {
        {{}, OpenWindow},
        {{"-style", "fusion"}, OpenWindow},
        {{"--style", "fusion", "-reverse"}, OpenWindow},
        {{"-style=fusion", "--reverse", "-widgetcount", "-stylesheet", "a.qss"}, OpenWindow},
        {{"-qwindowtitle", "QM720 bench 2", "-qwindowgeometry", "497x485+0+0"}, OpenWindow},
        {{"-platformtheme", "gtk3", "-session", "1", "-display", ":1", "-geometry", "+0"},
         OpenWindow},
        {{"-qmljsdebugger=port:1234"}, OpenWindow},
        {{"-platform", "offscreen"}, OpenWindow, true},
        {{"-reverse", "--platform", "xcb", "-style", "fusion"}, OpenWindow, true},
        {{"-h"}, PrintHelp},
        {{"-platform", "offscreen", "--help"}, PrintHelp, true},
        {{"-v", "-reverse"}, PrintVersion},
        {{"--bogus"}, RefuseArguments},
        {{"COM1"}, RefuseArguments},
        {{"--"}, RefuseArguments},
        {{"-style"}, RefuseArguments},
        {{"-platform=offscreen"}, RefuseArguments},
        {{"-stylesheets", "a.qss"}, RefuseArguments},
        {{"-reverse", "-x"}, RefuseArguments},
        {{"--help", "-x"}, RefuseArguments},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = c.arguments;
        argv.insert(argv.begin(), "qm720");
        std::string shown;
        for (const char* argument : c.arguments) {
            shown += std::string(argument) + ' ';
        }
        const CommandLine command_line =
            read_command_line(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(command_line.request, c.request) << shown;
        EXPECT_EQ(command_line.platform_chosen, c.platform_chosen) << shown;
    }
}

}  // namespace
}  // namespace qm720::gui
