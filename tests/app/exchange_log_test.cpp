#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/cp1251.h"
#include "app/log_home.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

namespace fs = std::filesystem;
using test::FormHarness;

// The start record's text ends in CR LF, so its closing quote stands alone on the next line.
const std::string kStartRecord = "\"Start: 05.12.2026 21:43:15\r\n\"\r\n";

TEST(LogStamps, HoursWithoutLeadingZeroAndTheFileNameFromTheStartTime) {
    EXPECT_EQ(date_time_text({2026, 12, 5, 9, 5, 3}), "05.12.2026 9:05:03");
    EXPECT_EQ(date_time_text({2027, 1, 9, 0, 0, 0}), "09.01.2027 0:00:00");
    EXPECT_EQ(time_of_day_text({2026, 12, 5, 9, 5, 3}), "9:05:03");
    EXPECT_EQ(log_file_name({2026, 12, 5, 9, 5, 3}), "05122026_90503.log");
}

TEST(ExchangeLog, QuotedCp1251RecordsAndASecondStartInTheSameSecondAppends) {
    FormHarness harness;
    harness.form.start_up();
    harness.clock.at.second = 20;
    for (const char* text :
         {"Com Port \\\\.\\COM1 Open", "Нет: 25 °C", "say \"hi\"", "中✓ € №", "bad \xD0 end"}) {
        harness.form.log_line(text);
    }

    EXPECT_EQ(harness.form.log.log_path(),
              (harness.folder.path() / "log" / "05122026_214315.log").string());
    // Quotes stay as they are; characters cp1251 lacks, and broken UTF-8, become '?'.
    const std::string lines =
        "\"21:43:20 : Com Port \\\\.\\COM1 Open\"\r\n"
        "\"21:43:20 : \xCD\xE5\xF2: 25 \xB0\x43\"\r\n"
        "\"21:43:20 : say \"hi\"\"\r\n"
        "\"21:43:20 : ?? \x88 \xB9\"\r\n"
        "\"21:43:20 : bad ? end\"\r\n";
    EXPECT_EQ(harness.log_bytes(), kStartRecord + lines);

    // A second run, started within the same second as the first.
    harness.clock.at.second = 15;
    frmSerial second(harness.port, harness.dialogs, harness.clock, harness.folder.string());
    second.start_up();

    EXPECT_EQ(second.log.log_path(), harness.form.log.log_path());
    EXPECT_EQ(harness.log_bytes(), kStartRecord + lines + kStartRecord);
    EXPECT_TRUE(harness.dialogs.shown.empty());
}

TEST(ExchangeLog, FileIsTheOwnersAloneWhateverTheUmaskOrAnEarlierRunLeft) {
    FormHarness harness;
    const std::string path = (harness.folder.path() / "log" / "05122026_214315.log").string();
    const auto mode = [&] {
        struct stat status {};
        return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
    };
    // An earlier run left a readable file; this umask takes the owner's write bit.
    fs::create_directories(harness.folder.path() / "log");
    std::ofstream(path).close();
    ::chmod(path.c_str(), 0644);
    const mode_t saved_umask = ::umask(0277);

    harness.form.start_up();
    const mode_t after_start = mode();
    fs::remove(path);
    harness.form.log_line("made anew");
    const mode_t after_line = mode();
    ::umask(saved_umask);

    EXPECT_EQ(after_start, 0600u);
    EXPECT_EQ(after_line, 0600u);
    EXPECT_EQ(harness.log_bytes(), "\"21:43:15 : made anew\"\r\n");
}

// The engineer hears once that the log stopped; the log itself says how much it missed.
TEST(ExchangeLog, FailedLinesOpenOneBoxAndAreCountedOnceWritingResumes) {
    for (const std::string fault : {"folder removed", "disk full", "folder in the file's place"}) {
        SCOPED_TRACE(fault);
        FormHarness harness;
        harness.form.start_up();
        const fs::path file = harness.form.log.log_path();
        if (fault == "folder removed") {
            fs::remove_all(file.parent_path());
        } else if (fault == "disk full") {
            fs::remove(file);
            fs::create_symlink("/dev/full", file);
        } else {  // not writable even by root
            fs::remove(file);
            fs::create_directory(file);
        }

        harness.form.log_line("lost");
        harness.form.log_line("lost too");
        // Nothing was made in the file's place behind the operator's back.
        EXPECT_FALSE(fs::is_regular_file(file));
        fs::remove(file);
        fs::create_directories(file.parent_path());
        harness.form.log_line("back");
        harness.form.log_line("lost again");

        EXPECT_EQ(harness.log_bytes(),
                  utf8_to_cp1251("\"21:43:15 : Потеряно записей журнала: 2\"\r\n"
                                 "\"21:43:15 : back\"\r\n"
                                 "\"21:43:15 : lost again\"\r\n"));
        ASSERT_EQ(harness.dialogs.shown.size(), 1u);
        EXPECT_EQ(harness.dialogs.shown[0].text.rfind(
                      "Журнал не записывается: " + file.string() + ": ", 0),
                  0u);
        EXPECT_GT(harness.dialogs.shown[0].text.size(), file.string().size() + 48);
    }
}

// A disk that fills up in the middle of a record must not leave half of it for the next record
// to fuse with.
TEST(ExchangeLog, ARecordCutShortByAFullDiskIsTakenBackWhole) {
    FormHarness harness;
    harness.form.start_up();
    const std::string before = harness.log_bytes();
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = before.size() + 10;
    ::setrlimit(RLIMIT_FSIZE, &small);
    harness.form.log_line("a record longer than the room left");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    harness.form.log_line("back");

    EXPECT_EQ(harness.log_bytes(),
              before + utf8_to_cp1251("\"21:43:15 : Потеряно записей журнала: 1\"\r\n"
                                      "\"21:43:15 : back\"\r\n"));
}

// An unpacked build keeps its log beside it; an installed program writes to the user's state
// folder, which is made for the owner alone.
TEST(LogHome, BesideTheProgramWhenWritableElseTheUsersStateFolder) {
    const char* saved_home = std::getenv("HOME");
    const std::string home = saved_home != nullptr ? saved_home : "";
    test::TempFolder folder;
    const struct {
        std::string program_folder;
        const char* state_home;  // XDG_STATE_HOME, or unset
        std::string expected;
    } cases[] = {
        {folder.string(), "/state", folder.string()},
        {"/no/such/bin", "/state", "/state/qm720"},
        {"/no/such/bin", "relative", "/home/engineer/.local/state/qm720"},
        {"/no/such/bin", nullptr, "/home/engineer/.local/state/qm720"},
    };
    ::setenv("HOME", "/home/engineer", 1);
    for (const auto& c : cases) {
        if (c.state_home != nullptr) {
            ::setenv("XDG_STATE_HOME", c.state_home, 1);
        } else {
            ::unsetenv("XDG_STATE_HOME");
        }
        EXPECT_EQ(log_home(c.program_folder), c.expected) << c.program_folder;
    }
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_STATE_HOME");

    ExchangeLog log;
    const fs::path state = folder.path() / "state" / "qm720";
    ASSERT_FALSE(log.start(state.string(), test::kStartTime));
    for (const fs::path& made : {state, state / "log"}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    }
    EXPECT_TRUE(fs::is_regular_file(state / "log" / "05122026_214315.log"));
}

}  // namespace
}  // namespace qm720
