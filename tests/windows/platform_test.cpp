#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/cp1251.h"
#include "app/exchange_log.h"
#include "app/log_home.h"
#include "serial/win32_open_failure.h"
#include "serial/win32_serial_port.h"
#include "support/temp_folder.h"

namespace qm720 {
namespace {

TEST(WindowsCodePage, LogTextBecomesTheSameCp1251AsOnPosixSystems) {
    EXPECT_EQ(utf8_to_cp1251("Нет: 25 °C"), "\xCD\xE5\xF2: 25 \xB0\x43");
    EXPECT_EQ(utf8_to_cp1251("中✓ € №"), "?? \x88 \xB9");
    EXPECT_EQ(cp1251_char_to_utf8(0x88), "€");
    EXPECT_EQ(cp1251_char_to_utf8(0x98), std::nullopt);
}

TEST(WindowsLogFile, FoldersAreMadeAndRecordsAppendedInTheUsersApplicationData) {
    const test::TempFolder local_data;
    ASSERT_EQ(_putenv_s("LOCALAPPDATA", local_data.string().c_str()), 0);
    const std::string home = log_home("C:\\Program Files\\QM720");
    EXPECT_EQ(std::filesystem::path(home), local_data.path() / "qm720");

    ExchangeLog log;
    const LocalDateTime at{2026, 12, 5, 21, 43, 15};
    ASSERT_EQ(log.start(home, at), std::nullopt);
    ASSERT_EQ(log.write_line(at, "Нет"), std::nullopt);
    ExchangeLog second_start;
    ASSERT_EQ(second_start.start(home, at), std::nullopt);

    EXPECT_EQ(std::filesystem::path(log.log_path()),
              local_data.path() / "qm720" / "log" / "05122026_214315.log");
    std::ifstream file(log.log_path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::string start = "\"Start: 05.12.2026 21:43:15\r\n\"\r\n";
    EXPECT_EQ(bytes, start + "\"21:43:15 : \xCD\xE5\xF2\"\r\n" + start);

    ASSERT_EQ(_putenv_s("LOCALAPPDATA", ""), 0);
    EXPECT_EQ(log_home("C:\\QM720"), "C:\\QM720");
}

TEST(WindowsOpenFailure, SystemErrorsInTheEngineersWords) {
    for (const auto& [error, reason, text] :
         {std::tuple{ERROR_ACCESS_DENIED, OpenFailureReason::Busy, "In use by another program"},
          std::tuple{ERROR_SHARING_VIOLATION, OpenFailureReason::Busy, "In use by another program"},
          std::tuple{ERROR_PRIVILEGE_NOT_HELD, OpenFailureReason::NoPermission,
                     "Permission denied"}}) {
        const OpenFailure failure = win32_open_failure(error, "COM3");
        EXPECT_EQ(failure.reason, reason) << error;
        EXPECT_EQ(open_failure_text(failure), std::string("COM3: ") + text) << error;
    }
    const OpenFailure other = win32_open_failure(ERROR_GEN_FAILURE, "COM3");
    EXPECT_EQ(other.reason, OpenFailureReason::Other);
    EXPECT_TRUE(other.description.ends_with(" (error 31)")) << other.description;
}

TEST(Win32SerialPort, AMissingPortFailsAndAClosedOneNeitherReadsNorWrites) {
    Win32SerialPort port([](const std::string& text) { ADD_FAILURE() << text; });
    EXPECT_FALSE(port.open("\\\\.\\COM9", kSensorLine));
    EXPECT_EQ(open_failure_text(port.last_open_failure()), "COM9: No such port");
    EXPECT_TRUE(port.read().empty());
    EXPECT_EQ(port.write(Bytes{0x31, 0x01}), 0);
    EXPECT_EQ(port.last_write_failure(), "the port is not open");
    EXPECT_FALSE(port.close());
}

}  // namespace
}  // namespace qm720
