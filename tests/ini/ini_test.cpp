#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <string>

#include "platform/ini/ini.h"
#include "tests/ini/filefaults.h"
#include "tests/ini/testfiles.h"
#include "tests/support/casetable.h"
#include "tests/support/tempdir.h"

namespace {

using testfiles::Bytes;
const std::filesystem::path kFiles = ZAN1_INI_TESTFILES;

std::string Raw(IniHandle ini, const char* section, const char* item) {
    char buffer[512];
    return Ini_GetRawStringIntoBuffer(ini, section, item, buffer, sizeof buffer) ? buffer : "";
}

// Each test runs in its own empty current directory.
class Ini : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(m_directory.path().empty()); }
    std::string Written(IniHandle ini) {
        EXPECT_EQ(Ini_WriteToFile(ini, "written.ini"), 0);
        return Bytes("written.ini");
    }

    testsupport::TemporaryCurrentDirectory m_directory;
};

// Every case of data/values.txt, in the locale that is set.
void CheckValues() {
    for (const auto& f : testfiles::Cases(kFiles / "data/values.txt", 4, 44)) {
        SCOPED_TRACE(f[0]);
        double number = 0, real = 42;
        int result = 0;
        ASSERT_TRUE((f[1] == "int" || f[1] == "double" || f[1] == "put") &&
                    testsupport::ReadNumber(f[3], &result) &&
                    testsupport::ReadNumber(f[4], &number))
            << "cannot be read";
        IniPtr ini = MakeIni(true);
        EXPECT_EQ(f[1] == "put" ? Ini_PutDouble(ini.get(), "S", "k", number)
                                : Ini_PutRawString(ini.get(), "S", "k", f[2].c_str()),
                  0);
        EXPECT_EQ(Raw(ini.get(), "S", "k"), f[2]);
        int integer = 42;
        EXPECT_EQ(f[1] == "int" ? Ini_GetInt(ini.get(), "S", "k", &integer)
                                : Ini_GetDouble(ini.get(), "S", "k", &real),
                  result);
        const double got = f[1] == "int" ? integer : real;
        EXPECT_TRUE(std::isnan(number)
                        ? std::isnan(got)
                        : got == number || std::abs(got - number) <= 1e-15 * std::abs(number))
            << got;
    }
}

// A GUI program may switch LC_NUMERIC to a decimal-comma locale.
TEST(IniValues, ConvertAsTheTableSaysInAnyLocale) {
    CheckValues();
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8";
    CheckValues();
    std::setlocale(LC_NUMERIC, previous.c_str());
}

// Each reading rule has a small input file and the golden file the object then writes.
TEST_F(Ini, ReadFilesRewriteAsTheirGolden) {
    for (const auto& f : testfiles::Cases(kFiles / "data/read_rules.txt", 3, 14)) {
        SCOPED_TRACE(f[0]);
        ASSERT_TRUE(f[3] == "0" || f[3] == "1") << "cannot be read";
        IniPtr ini = MakeIni(f[3] == "1");
        EXPECT_EQ(Ini_ReadFromFile(ini.get(), (kFiles / "data" / f[1]).c_str()), 0);
        EXPECT_EQ(Written(ini.get()), Bytes(kFiles / "golden" / f[2]));
    }
    IniPtr ini = MakeIni(true);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), "missing.ini"), kIniCannotOpen);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), "."), kIniCannotOpen);
    EXPECT_EQ(Written(ini.get()), "");
}

// Names ignore blanks and case; null arguments are refused.
TEST_F(Ini, PutsReplaceDuplicatesInSortedOrPutOrder) {
    IniPtr ini = MakeIni(true), unsorted = MakeIni(false);
    int i = 42;
    ASSERT_EQ(Ini_PutInt(ini.get(), "ZAN1", " COMPORT", 9), 0);
    ASSERT_EQ(Ini_PutInt(ini.get(), "ZAN1", "comport", 3), 0);
    ASSERT_EQ(Ini_PutInt(ini.get(), " zan1\t", "adresse", 1), 0);
    ASSERT_EQ(Ini_PutRawString(ini.get(), "ZAN1", "einheit1", "mm"), 0);
    EXPECT_EQ(Ini_GetInt(ini.get(), "zAN1 ", " comPORT", &i) * 10 + i, 13);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), nullptr) + Ini_GetInt(ini.get(), nullptr, "k", &i) +
                  Ini_PutInt(nullptr, "S", "k", 1) + Ini_PutDouble(nullptr, "S", "k", 1) +
                  Ini_GetDouble(ini.get(), "S", "k", nullptr),
              5 * kIniNullArgument);
    EXPECT_EQ(Written(ini.get()), Bytes(kFiles / "golden/five_lines.ini"));
    for (const char* put : {"Sb1", "Sa2", "Rc3", "Sc5", "SB4", "SA6"})
        Ini_PutInt(unsorted.get(), std::string(put, 1).c_str(), std::string(put + 1, 1).c_str(),
                   put[2] - '0');
    EXPECT_EQ(Written(unsorted.get()),
              "[S]\r\nB = 4\r\nA = 6\r\nc = 5\r\n\r\n[R]\r\nc = 3\r\n\r\n");
}

// Item k of section k % 13 holds a text ending in k; the reader finds each in
// any letter case, and the rewritten file equals the first.
TEST_F(Ini, ManyPutsInAnyOrderReadBack) {
    const std::string texts[] = {"", "  padded ", "a \"b\" ", "x ; y = ", std::string(170, 'L')};
    IniPtr ini = MakeIni(true), back = MakeIni(true);
    for (int j = 0; j < 600; ++j) {
        const int k = j * 7 % 600;  // every k once, out of order
        const std::string section = "Sec" + std::to_string(k % 13), item = std::to_string(k);
        Ini_PutRawString(ini.get(), section.c_str(), item.c_str(), (texts[k % 5] + item).c_str());
    }
    const std::string first = Written(ini.get());
    ASSERT_EQ(Ini_ReadFromFile(back.get(), "written.ini"), 0);
    for (int k = 0; k < 600; ++k) {
        const std::string section = "SEC" + std::to_string(k % 13), item = std::to_string(k);
        EXPECT_EQ(Raw(back.get(), section.c_str(), item.c_str()), texts[k % 5] + item);
    }
    EXPECT_EQ(Written(back.get()), first);
}

// The old file stays when no temporary name is free.
TEST_F(Ini, UnwritableTargetsAndTakenTempNamesAreRefused) {
    testfiles::Put("plain", "x");
    std::filesystem::create_directory("dir.ini");
    IniPtr ini = MakeIni(true);
    Ini_PutInt(ini.get(), "S", "a", 1);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), "plain/target.ini"), kIniNotWritable);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), "dir.ini"), kIniNotWritable);
    testfiles::Put("dir.ini/ini$$0.TMP", "someone else's");
    ASSERT_EQ(Ini_WriteToFile(ini.get(), "dir.ini/s.ini"), 0);
    EXPECT_EQ(Bytes("dir.ini/ini$$0.TMP"), "someone else's");
    for (int i = 1; i < 1000; ++i)
        testfiles::Put("dir.ini/ini$$" + std::to_string(i) + ".TMP", "");
    Ini_PutInt(ini.get(), "S", "a", 2);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), "dir.ini/s.ini"), kIniNoTempName);
    EXPECT_EQ(Bytes("dir.ini/s.ini"), "[S]\r\na = 1\r\n\r\n");
}

// A kill anywhere before the rename leaves the old file too. The new file has
// 400 items of 80 bytes: more than two 16 KB buffers, so several write(2) steps.
TEST_F(Ini, WriteFailureOrKillAtEveryStepKeepsTheOldFile) {
    // lstat, probe open, folder open, temp open, fchmod, 3 writes, fsync, close,
    // rename, then the folder's fsync.
    constexpr int kRenameStep = 11, kSteps = 12;
    IniPtr ini = MakeIni(true);
    for (int i = 0; i < 400; ++i) {
        Ini_PutRawString(ini.get(), "NEW", ("item" + std::to_string(i)).c_str(),
                         std::string(80, static_cast<char>('a' + i % 26)).c_str());
    }
    const std::string expected = Written(ini.get());
    ASSERT_GT(expected.size(), 2u * 16 * 1024);
    // The old file, or the new one after the rename; nothing else when `clean`.
    const auto check = [&](int step, bool clean) {
        filefaults::Arm(0, filefaults::Fault::kNone, 0);
        EXPECT_EQ(Bytes("settings.ini"), step <= kRenameStep ? "old" : expected) << step;
        EXPECT_TRUE(!clean || std::distance(std::filesystem::directory_iterator("."), {}) == 1)
            << step;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            std::filesystem::remove(entry.path());
        testfiles::Put("settings.ini", "old");
    };
    std::filesystem::remove("written.ini");
    testfiles::Put("settings.ini", "old");
    for (int step = 1; step <= kSteps + 1; ++step) {
        filefaults::Arm(step, filefaults::Fault::kFail, step % 2 ? EIO : ENOSPC);
        EXPECT_EQ(Ini_WriteToFile(ini.get(), "settings.ini") < 0, step <= kSteps) << step;
        check(step, true);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            filefaults::Arm(step, filefaults::Fault::kKill, 0);
            _exit(Ini_WriteToFile(ini.get(), "settings.ini") == 0 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_EQ(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, step <= kSteps) << step;
        check(step, step > kRenameStep);
    }
    // A new target: lstat finds nothing, the probe is created and closed, its removal fails.
    filefaults::Arm(4, filefaults::Fault::kFail, EIO);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), "fresh.ini"), kIniIoError);
}

}  // namespace
