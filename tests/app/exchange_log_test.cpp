#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "app/cp1251.h"
#include "app/log_home.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

namespace fs = std::filesystem;
using test::FormHarness;

const std::string kStartRecord = "\"Start: 05.12.2026 21:43:15\r\n\"\r\n";

// What cp1251 lacks and broken UTF-8 become '?'; the file is the owner's whatever the umask.
TEST(ExchangeLog, QuotedCp1251RecordsInAPrivateFileAndASecondStartInTheSameSecondAppends) {
    FormHarness harness;
    const std::string path = (harness.folder.path() / "log" / "05122026_214315.log").string();
    fs::create_directories(harness.folder.path() / "log");
    const mode_t saved_umask = ::umask(0277);
    harness.form.start_up();
    ::umask(saved_umask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    harness.clock.at = {2026, 12, 5, 9, 5, 3};
    harness.form.log_line("Нет: 25 °C, say \"hi\"");
    harness.form.log_line("中✓ € № bad \xD0 end");
    const std::string lines =
        "\"9:05:03 : \xCD\xE5\xF2: 25 \xB0\x43, say \"hi\"\"\r\n\"9:05:03 : ?? \x88 \xB9 bad ? "
        "end\"\r\n";
    EXPECT_EQ(harness.log_bytes(), kStartRecord + lines);

    harness.clock.at = test::kStartTime;
    frmSerial second(harness.port, harness.dialogs, harness.clock, harness.folder.string());
    second.start_up();
    EXPECT_EQ(harness.log_bytes(), kStartRecord + lines + kStartRecord);
    EXPECT_EQ(log_file_name({2026, 1, 9, 0, 5, 3}), "09012026_00503.log");
}

// Nothing is made in the file's place; a record cut short is taken back whole.
TEST(ExchangeLog, FailedLinesOpenOneBoxAndAreCountedOnceWritingResumes) {
    std::signal(SIGXFSZ, SIG_IGN);
    for (const bool folder_removed : {true, false}) {
        FormHarness harness;
        harness.form.start_up();
        const fs::path file = harness.form.log.log_path();
        const std::string kept = folder_removed ? "" : harness.log_bytes();
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{kept.size() + 10, saved.rlim_max};
        if (folder_removed) {
            fs::remove_all(file.parent_path());
        } else {
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        harness.form.log_line("lost");
        harness.form.log_line("lost too");
        ::setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(fs::is_regular_file(file), !folder_removed);
        fs::create_directories(file.parent_path());
        harness.form.log_line("back");
        harness.form.log_line("lost again");

        EXPECT_EQ(harness.log_bytes(),
                  kept + utf8_to_cp1251("\"21:43:15 : Потеряно записей журнала: 2\"\r\n"
                                        "\"21:43:15 : back\"\r\n\"21:43:15 : lost again\"\r\n"))
            << folder_removed;
        ASSERT_EQ(harness.dialogs.shown.size(), 1u);
        const std::string& text = harness.dialogs.shown[0].text;
        EXPECT_EQ(text.rfind("Журнал не записывается: " + file.string() + ": ", 0), 0u) << text;
        EXPECT_GT(text.size(), file.string().size() + 48);
    }
}

// A start whose log folder cannot be written (a file stands in its place) says so as a lost line
// does; the next line makes the folder and counts the start record and the lines lost.
TEST(ExchangeLog, AStartThatCannotWriteIsReportedOnceAndLaterLinesTryAgain) {
    FormHarness harness;
    const fs::path folder = harness.folder.path() / "log";
    std::ofstream(folder) << "not a folder";
    harness.form.start_up();
    harness.form.log_line("lost");
    fs::remove(folder);
    harness.form.log_line("back");

    EXPECT_EQ(harness.form.control("CmbPort").list.size(), 30u) << "start-up stopped at the log";
    ASSERT_EQ(harness.dialogs.shown.size(), 1u) << "one box for the start and the line after it";
    const test::ShownBox& box = harness.dialogs.shown[0];
    EXPECT_EQ(box.text, "Журнал не записывается: " + (folder / "05122026_214315.log").string() +
                            ": " + std::strerror(ENOTDIR));
    EXPECT_EQ(std::tie(box.title, box.icon), std::make_tuple(std::string(), BoxIcon::None))
        << "not the plain box of the running tool";
    EXPECT_EQ(harness.log_bytes(), utf8_to_cp1251("\"21:43:15 : Потеряно записей журнала: 2\"\r\n"
                                                  "\"21:43:15 : back\"\r\n"));
}

// Only a build tree, marked by the build, keeps its log beside the program: an installed program
// never writes into its own folder, even one its user (root) may write.
TEST(LogHome, BesideTheProgramInAWritableBuildTreeElseTheUsersStateFolder) {
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    test::TempFolder build_tree, installed;
    std::ofstream(build_tree.path() / kBuildTreeMark);
    const std::tuple<std::string, const char*, std::string> cases[] = {
        {build_tree.string(), "/state", build_tree.string()},
        {installed.string(), "/state", "/state/qm720"},
        {"/no/such/bin", "/state", "/state/qm720"},
        {"/no/such/bin", "relative", "/home/engineer/.local/state/qm720"}};
    ::setenv("HOME", "/home/engineer", 1);
    for (const auto& [program_folder, state_home, expected] : cases) {
        ::setenv("XDG_STATE_HOME", state_home, 1);
        EXPECT_EQ(log_home(program_folder), expected) << program_folder;
    }
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_STATE_HOME");

    ExchangeLog log;
    const fs::path state = installed.path() / "state" / "qm720";
    ASSERT_FALSE(log.start(state.string(), test::kStartTime));
    EXPECT_EQ(fs::status(state).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(state / "log").permissions(), fs::perms::owner_all);
}

// Without any home folder the log is refused, not written beside the working folder.
TEST(ExchangeLog, WithoutAHomeFolderNothingIsWrittenInTheWorkingFolder) {
    ExchangeLog log;
    EXPECT_TRUE(log.start("", test::kStartTime).has_value());
    EXPECT_TRUE(log.write_line(test::kStartTime, "line").has_value());
    EXPECT_FALSE(fs::exists(log.log_path())) << log.log_path();
}

}  // namespace
}  // namespace qm720
