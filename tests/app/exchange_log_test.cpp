#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "hex.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

namespace fs = std::filesystem;
using test::FormHarness;
using test::kStartTime;

std::string bytes_text(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

LocalDateTime at(int hour, int minute, int second) {
    LocalDateTime time = kStartTime;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

mode_t permission_bits(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

const std::string kStartRecord = "\"Start: 05.12.2026 21:43:15\r\n\"\r\n";

struct StampCase {
    LocalDateTime time;
    std::string date_time;
    std::string time_of_day;
    std::string file_name;
};

TEST(LogStamps, DateTimeTimeOfDayAndFileName) {
    const std::vector<StampCase> cases = {
        {{2026, 12, 5, 9, 5, 3}, "05.12.2026 9:05:03", "9:05:03", "05122026_90503.log"},
        {{2026, 12, 5, 21, 43, 15}, "05.12.2026 21:43:15", "21:43:15", "05122026_214315.log"},
        {{2027, 1, 9, 0, 0, 0}, "09.01.2027 0:00:00", "0:00:00", "09012027_00000.log"},
    };
    for (const StampCase& c : cases) {
        EXPECT_EQ(date_time_text(c.time), c.date_time);
        EXPECT_EQ(time_of_day_text(c.time), c.time_of_day);
        EXPECT_EQ(log_file_name(c.time), c.file_name);
    }
}

TEST(ExchangeLog, StartsWithATwoLineStartRecordInTheLogFolderBesideTheProgram) {
    FormHarness harness;
    harness.form.Form_Load();

    EXPECT_EQ(harness.form.log.log_path(),
              (harness.folder.path() / "log" / "05122026_214315.log").string());
    EXPECT_EQ(harness.log_bytes(), kStartRecord);
    EXPECT_TRUE(harness.dialogs.shown.empty());
}

TEST(ExchangeLog, LinesCarryTheTimeOfDayAndTheTextUnescapedInCp1251) {
    FormHarness harness;
    harness.form.Form_Load();

    harness.clock.at = at(21, 43, 20);
    harness.form.str_to_log("Com Port \\\\.\\COM1 Open");
    harness.form.str_to_log("Нет ответа: 25 °C");
    harness.clock.at = at(9, 5, 3);
    harness.form.str_to_log("say \"hi\"");
    harness.form.str_to_log("");

    const std::string expected =
        kStartRecord + "\"21:43:20 : Com Port \\\\.\\COM1 Open\"\r\n" +
        "\"21:43:20 : " + bytes_text(test::hex("CD E5 F2 20 EE F2 E2 E5 F2 E0")) + ": 25 " +
        bytes_text(test::hex("B0")) + "C\"\r\n" + "\"9:05:03 : say \"hi\"\"\r\n" +
        "\"9:05:03 : \"\r\n";
    EXPECT_EQ(harness.log_bytes(), expected);
}

TEST(ExchangeLog, CharactersWithoutACp1251FormBecomeQuestionMarks) {
    FormHarness harness;
    harness.form.Form_Load();
    harness.clock.at = at(21, 43, 20);

    harness.form.str_to_log("中✓ € №");
    harness.form.str_to_log(std::string("bad \xD0 and \xFF end"));

    const std::string expected = kStartRecord + "\"21:43:20 : ?? " +
                                 bytes_text(test::hex("88 20 B9")) + "\"\r\n" +
                                 "\"21:43:20 : bad ? and ? end\"\r\n";
    EXPECT_EQ(harness.log_bytes(), expected);
}

TEST(ExchangeLog, ASecondStartInTheSameSecondKeepsTheFirstRunsLines) {
    FormHarness first;
    first.form.Form_Load();
    first.form.str_to_log("first run");
    frmSerial second(first.port, first.dialogs, first.clock, first.folder.string());

    second.Form_Load();

    EXPECT_EQ(second.log.log_path(), first.form.log.log_path());
    EXPECT_EQ(first.log_bytes(), kStartRecord + "\"21:43:15 : first run\"\r\n" + kStartRecord);
    EXPECT_TRUE(first.dialogs.shown.empty());
}

TEST(ExchangeLog, FileIsTheOwnersAloneWhateverTheUmaskOrAnEarlierRunLeft) {
    const mode_t saved_umask = ::umask(0);
    {
        FormHarness harness;
        harness.form.Form_Load();
        EXPECT_EQ(permission_bits(harness.form.log.log_path()), 0600u);

        ::chmod(harness.form.log.log_path().c_str(), 0644);
        frmSerial again(harness.port, harness.dialogs, harness.clock, harness.folder.string());
        again.Form_Load();
        EXPECT_EQ(permission_bits(harness.form.log.log_path()), 0600u);

        fs::remove(harness.form.log.log_path());
        harness.form.str_to_log("after the file was deleted");
        EXPECT_EQ(permission_bits(harness.form.log.log_path()), 0600u);
    }
    {
        FormHarness harness;
        // A umask that takes the owner's own write bit; the folder is there already, as it would
        // be from an earlier run.
        fs::create_directory(harness.folder.path() / "log");
        ::umask(0277);
        harness.form.Form_Load();
        EXPECT_EQ(permission_bits(harness.form.log.log_path()), 0600u);
        EXPECT_EQ(harness.log_bytes(), kStartRecord);
    }
    ::umask(saved_umask);
}

TEST(ExchangeLog, ARemovedFolderLosesItsLinesUntilItIsBack) {
    FormHarness harness;
    harness.form.Form_Load();
    const fs::path folder = harness.folder.path() / "log";
    fs::remove_all(folder);

    harness.form.str_to_log("lost");
    const auto failure = harness.form.log.write_line(kStartTime, "lost too");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, ENOENT);
    EXPECT_FALSE(fs::exists(folder)) << "the folder is not made again behind the operator";

    fs::create_directory(folder);
    harness.form.str_to_log("back");
    EXPECT_EQ(harness.log_bytes(), "\"21:43:15 : back\"\r\n");
}

TEST(ExchangeLog, AFullDiskLosesTheLineAndTheNextLineTriesAgain) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    FormHarness harness;
    harness.form.Form_Load();
    const std::string path = harness.form.log.log_path();
    const std::string kept = harness.log_bytes();
    fs::rename(path, path + ".kept");
    fs::create_symlink("/dev/full", path);

    harness.form.str_to_log("disk full");
    const auto failure = harness.form.log.write_line(kStartTime, "disk still full");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number, ENOSPC);
    EXPECT_EQ(failure->description, std::strerror(ENOSPC));

    fs::remove(path);
    fs::rename(path + ".kept", path);
    harness.form.str_to_log("space again");
    EXPECT_EQ(harness.log_bytes(), kept + "\"21:43:15 : space again\"\r\n");
}

TEST(ExchangeLog, AnUnwritableFileLosesTheLineAndTheNextLineTriesAgain) {
    FormHarness harness;
    harness.form.Form_Load();
    const std::string path = harness.form.log.log_path();
    fs::remove(path);
    // A folder in the file's place cannot be written, not even by root.
    fs::create_directory(path);

    harness.form.str_to_log("blocked");
    EXPECT_TRUE(harness.form.log.write_line(kStartTime, "blocked").has_value());

    fs::remove(path);
    harness.form.str_to_log("free");
    EXPECT_EQ(harness.log_bytes(), "\"21:43:15 : free\"\r\n");
}

TEST(StartUpError, ALogFolderThatCannotBeMadeIsReportedAndTheWindowStillOpens) {
    FormHarness harness;
    // A program folder that is a regular file: no folder can be made under it.
    const fs::path not_a_folder = harness.folder.path() / "program";
    std::ofstream(not_a_folder) << "x";
    frmSerial form(harness.port, harness.dialogs, harness.clock, not_a_folder.string());

    form.Form_Load();

    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    const test::ShownBox& box = harness.dialogs.shown.front();
    EXPECT_EQ(box.kind, test::BoxKind::Message);
    EXPECT_EQ(box.text, std::strerror(ENOTDIR));
    EXPECT_EQ(box.title, "Error#" + std::to_string(ENOTDIR));
    EXPECT_EQ(box.icon, BoxIcon::Critical);
    EXPECT_EQ(form.control("CmbNet").list, std::vector<std::string>{"0"});
    EXPECT_EQ(form.control("CmbNet").caption, "0");
    EXPECT_TRUE(form.log.log_path().empty());

    form.str_to_log("nowhere to go");
    EXPECT_EQ(harness.dialogs.shown.size(), 1u);
}

TEST(StartUpError, ALogThatIsAFileIsReported) {
    FormHarness harness;
    std::ofstream(harness.folder.path() / "log") << "x";

    harness.form.Form_Load();

    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    EXPECT_EQ(harness.dialogs.shown.front().title, "Error#" + std::to_string(ENOTDIR));
    EXPECT_EQ(harness.dialogs.shown.front().icon, BoxIcon::Critical);
    EXPECT_TRUE(harness.form.log.log_path().empty());
}

TEST(ExchangeLog, LinesBeforeStartUpGoNowhere) {
    FormHarness harness;

    harness.form.str_to_log("too early");

    EXPECT_TRUE(harness.form.log.log_path().empty());
    EXPECT_FALSE(fs::exists(harness.folder.path() / "log"));
}

}  // namespace
}  // namespace qm720
