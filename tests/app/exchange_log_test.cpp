#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "hex.h"
#include "support/form_harness.h"

namespace qm720 {
namespace {

namespace fs = std::filesystem;
using test::FormHarness;

// The start record's text ends in CR LF, so its closing quote stands alone on the next line.
const std::string kStartRecord = "\"Start: 05.12.2026 21:43:15\r\n\"\r\n";

std::string text_of(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

mode_t permission_bits(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST(LogStamps, DateTimeTimeOfDayAndFileName) {
    struct Case {
        LocalDateTime time;
        std::string date_time, time_of_day, file_name;
    };
    const std::vector<Case> cases = {
        {{2026, 12, 5, 9, 5, 3}, "05.12.2026 9:05:03", "9:05:03", "05122026_90503.log"},
        {{2026, 12, 5, 21, 43, 15}, "05.12.2026 21:43:15", "21:43:15", "05122026_214315.log"},
        {{2027, 1, 9, 0, 0, 0}, "09.01.2027 0:00:00", "0:00:00", "09012027_00000.log"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(date_time_text(c.time), c.date_time);
        EXPECT_EQ(time_of_day_text(c.time), c.time_of_day);
        EXPECT_EQ(log_file_name(c.time), c.file_name);
    }
}

TEST(ExchangeLog, QuotedCp1251RecordsAfterTheStartRecord) {
    FormHarness harness;
    harness.form.Form_Load();
    harness.clock.at.second = 20;
    harness.form.str_to_log("Com Port \\\\.\\COM1 Open");
    harness.form.str_to_log("Нет: 25 °C");
    harness.form.str_to_log("say \"hi\"");
    harness.form.str_to_log("中✓ € №");
    harness.form.str_to_log(std::string("bad \xD0 end"));

    EXPECT_EQ(harness.form.log.log_path(),
              (harness.folder.path() / "log" / "05122026_214315.log").string());
    EXPECT_EQ(harness.log_bytes(),
              kStartRecord + "\"21:43:20 : Com Port \\\\.\\COM1 Open\"\r\n" +
                  "\"21:43:20 : " + text_of(test::hex("CD E5 F2 3A 20 32 35 20 B0 43")) + "\"\r\n" +
                  "\"21:43:20 : say \"hi\"\"\r\n" + "\"21:43:20 : ?? " +
                  text_of(test::hex("88 20 B9")) + "\"\r\n" + "\"21:43:20 : bad ? end\"\r\n");
    EXPECT_TRUE(harness.dialogs.shown.empty());
}

TEST(ExchangeLog, ASecondStartInTheSameSecondKeepsTheFirstRunsLines) {
    FormHarness first;
    first.form.Form_Load();
    first.form.str_to_log("first run");
    frmSerial second(first.port, first.dialogs, first.clock, first.folder.string());

    second.Form_Load();

    EXPECT_EQ(second.log.log_path(), first.form.log.log_path());
    EXPECT_EQ(first.log_bytes(), kStartRecord + "\"21:43:15 : first run\"\r\n" + kStartRecord);
}

TEST(ExchangeLog, FileIsTheOwnersAloneWhateverTheUmaskOrAnEarlierRunLeft) {
    FormHarness harness;
    // An earlier run left the folder and a readable file; this umask takes the owner's write bit.
    fs::create_directories(harness.folder.path() / "log");
    const std::string path = (harness.folder.path() / "log" / "05122026_214315.log").string();
    std::ofstream(path).close();
    ::chmod(path.c_str(), 0644);
    const mode_t saved_umask = ::umask(0277);

    harness.form.Form_Load();
    const mode_t after_start = permission_bits(path);
    fs::remove(path);
    harness.form.str_to_log("made anew");
    const mode_t after_line = permission_bits(path);
    ::umask(saved_umask);

    EXPECT_EQ(after_start, 0600u);
    EXPECT_EQ(after_line, 0600u);
    EXPECT_EQ(harness.log_bytes(), "\"21:43:15 : made anew\"\r\n");
}

// A line that cannot be written is lost without a word; the next one is tried again.
TEST(ExchangeLog, AFailedLineStopsNothingAndWritingResumesOnceRepaired) {
    struct Fault {
        std::string name;
        int error;
        std::function<void(const fs::path&file)> break_it, repair;
    };
    const std::vector<Fault> faults = {
        // The folder is not made again behind the operator's back.
        {"folder removed", ENOENT, [](const fs::path& file) { fs::remove_all(file.parent_path()); },
         [](const fs::path& file) { fs::create_directory(file.parent_path()); }},
        {"disk full", ENOSPC,
         [](const fs::path& file) {
             fs::rename(file, file.string() + ".kept");
             fs::create_symlink("/dev/full", file);
         },
         [](const fs::path& file) {
             fs::remove(file);
             fs::rename(file.string() + ".kept", file);
         }},
        // A folder in the file's place cannot be written, not even by root.
        {"file not writable", EISDIR,
         [](const fs::path& file) {
             fs::remove(file);
             fs::create_directory(file);
         },
         [](const fs::path& file) { fs::remove(file); }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        FormHarness harness;
        harness.form.Form_Load();
        const fs::path file = harness.form.log.log_path();
        fault.break_it(file);

        harness.form.str_to_log("lost");
        const auto failure = harness.form.log.write_line(test::kStartTime, "lost too");
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->number, fault.error);
        EXPECT_EQ(failure->description, std::strerror(fault.error));

        fault.repair(file);
        harness.form.str_to_log("back");
        EXPECT_TRUE(harness.log_bytes().ends_with("\"21:43:15 : back\"\r\n"));
        EXPECT_EQ(harness.log_bytes().find("lost"), std::string::npos);
    }
}

TEST(StartUpError, ALogFolderThatCannotBeMadeIsReportedAndTheWindowStillOpens) {
    FormHarness harness;
    // Under a regular file no folder can be made, not even by root.
    const fs::path not_a_folder = harness.folder.path() / "program";
    std::ofstream(not_a_folder) << "x";
    frmSerial form(harness.port, harness.dialogs, harness.clock, not_a_folder.string());

    form.Form_Load();
    form.str_to_log("nowhere to go");

    ASSERT_EQ(harness.dialogs.shown.size(), 1u);
    const test::ShownBox& box = harness.dialogs.shown.front();
    EXPECT_EQ(box.kind, test::BoxKind::Message);
    EXPECT_EQ(box.text, std::strerror(ENOTDIR));
    EXPECT_EQ(box.title, "Error#" + std::to_string(ENOTDIR));
    EXPECT_EQ(box.icon, BoxIcon::Critical);
    EXPECT_EQ(form.control("CmbNet").list, std::vector<std::string>{"0"});
    EXPECT_TRUE(form.log.log_path().empty());
}

}  // namespace
}  // namespace qm720
