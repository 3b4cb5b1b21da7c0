// The recording of actual values: its CSV text and how soon rows reach the file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <regex>
#include <thread>

#include "config/messwertaufzeichnung.h"
#include "platform/isotime.h"
#include "tests/ini/testfiles.h"
#include "tests/support/tempdir.h"

namespace {

using namespace std::chrono;

// Time and seconds since the start, the values to follow.
const std::string kRow = R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d,(\d+\.\d{3}),)";

TEST(Recording, LocalTimeIsIso8601WithMillisecondsAndOffset) {
    for (const auto& [zone, ms, text] : {
             std::tuple{"CET-1CEST,M3.5.0,M10.5.0/3", 1711846799999,
                        "2024-03-31T01:59:59.999+01:00"},
             {"CET-1CEST,M3.5.0,M10.5.0/3", 1711846800000, "2024-03-31T03:00:00.000+02:00"},
             {"NST+3:30", -1, "1969-12-31T20:29:59.999-03:30"},
         }) {
        setenv("TZ", zone, 1);
        tzset();
        std::string shown;
        platform::AppendIsoLocalTime(shown, system_clock::time_point(milliseconds(ms)));
        EXPECT_EQ(shown, text);
    }
    unsetenv("TZ");
    tzset();
}

// The header quotes what needs it; values keep the channel precision and the
// scaling of the start, and a decimal point on a German desktop. Each row is
// stamped with the time the values were read.
TEST(Recording, RowsFollowTheScalingOfTheStart) {
    testsupport::TemporaryCurrentDirectory directory;
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    Konfigstruktur konfig1 = kStandardKonfig;
    Konfigstruktur konfig2 = kStandardKonfig;
    EinheitSetzen(&konfig1, "a,\"b");
    konfig2.einheitmax = 1000;
    EinheitSetzen(&konfig2, "bar");
    int grund = -1;
    auto aufzeichnung = Messwertaufzeichnung::starten("werte.csv", konfig1, konfig2, &grund);
    ASSERT_TRUE(aufzeichnung);
    ASSERT_EQ(grund, 0);
    konfig2 = kStandardKonfig;
    platform::Timestamp zeit = platform::Timestamp::now();
    for (double volt : {2.5, 0.001}) {
        zeit.steady += 1500ms;
        EXPECT_EQ(aufzeichnung->eintragen(volt, volt, zeit, &grund) + grund, 0);
    }
    EXPECT_EQ(aufzeichnung->beenden(&grund) + grund, 0);
    std::setlocale(LC_ALL, locale.c_str());
    std::smatch row;
    const std::string text = testfiles::Bytes("werte.csv");
    ASSERT_TRUE(
        std::regex_match(text, row,
                         std::regex("Zeit,t_s,\"Istwert1 \\[a,\"\"b\\]\",Istwert2 \\[bar\\]\r\n" +
                                    kRow + "2\\.500,250\\.0\r\n" + kRow + "0\\.001,0\\.1\r\n")))
        << text;
    EXPECT_NEAR(std::stod(row[2]) - std::stod(row[1]), 1.5, 0.0015);
    EXPECT_FALSE(Messwertaufzeichnung::starten("fehlt/werte.csv", konfig1, konfig2, &grund));
    EXPECT_EQ(grund, ENOENT);
}

// A recording killed while it runs leaves every row older than a second.
TEST(Recording, KilledRecordingKeepsEveryRowOlderThanASecond) {
    testsupport::TemporaryCurrentDirectory directory;
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t child = fork();
    if (child == 0) {
        int grund = 0;
        auto a =
            Messwertaufzeichnung::starten("werte.csv", kStandardKonfig, kStandardKonfig, &grund);
        if (!a || write(started[1], "s", 1) != 1) _exit(1);
        // A row every 10 ms once the start was told.
        for (;; std::this_thread::sleep_for(10ms))
            a->eintragen(1, 2, platform::Timestamp::now(), &grund);
    }
    char byte = 0;
    ASSERT_EQ(read(started[0], &byte, 1), 1);
    const auto start = steady_clock::now();
    std::this_thread::sleep_for(1800ms);
    const double alive = duration<double>(steady_clock::now() - start).count();
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(started[0]);
    close(started[1]);
    const std::string text = testfiles::Bytes("werte.csv");
    std::smatch last;
    ASSERT_TRUE(
        std::regex_match(text, last, std::regex("Zeit.*\r\n(" + kRow + R"(1\.000,2\.000\r\n)*)")))
        << text;
    EXPECT_GE(std::stod(last[2]), alive - 1.05) << text;
}

}  // namespace
