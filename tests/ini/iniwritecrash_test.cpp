#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "filefaults.h"
#include "initestsupport.h"

namespace {

using filefaults::Arm;
using filefaults::Fault;
using initest::ReadBytes;

constexpr int kItems = 400;
// stat, probe open, temp-name lstat, temp open, 3 writes, fsync, close, rename.
constexpr int kSteps = 10;

std::string ItemName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "item%04d", i);
    return name;
}
std::string ItemValue(int i) {
    return std::string(80, static_cast<char>('a' + i % 26));
}

class IniWriteCrash : public initest::IniFileTest {
  protected:
    void SetUp() override {
        IniFileTest::SetUp();
        IniPtr old = MakeIni(true);
        Ini_PutInt(old.get(), "OLD", "value", 1);
        ASSERT_EQ(Ini_WriteToFile(old.get(), Target().c_str()), 0);
        m_old = ReadBytes(Target());
        // Zero-padded names keep the sorted order equal to the put order.
        m_new = MakeIni(true);
        m_expected = "[NEW]\r\n";
        for (int i = 0; i < kItems; ++i) {
            Ini_PutRawString(m_new.get(), "NEW", ItemName(i).c_str(), ItemValue(i).c_str());
            m_expected += ItemName(i) + " = \"" + ItemValue(i) + "\"\r\n";
        }
        m_expected += "\r\n";
        // Several 16 KB buffer flushes, so several write(2) steps.
        ASSERT_GT(m_expected.size(), 2u * 16 * 1024);
    }
    void TearDown() override {
        Arm(0, Fault::kNone, 0);
        IniFileTest::TearDown();
    }

    initest::fs::path Target() const { return Path("settings.ini"); }
    int TempFiles() const {
        int count = 0;
        for (const auto& entry : initest::fs::directory_iterator(m_dir)) {
            count += entry.path().filename().string().starts_with("ini$$");
        }
        return count;
    }
    void RemoveTempFiles() const {
        for (const auto& entry : initest::fs::directory_iterator(m_dir)) {
            if (entry.path().filename().string().starts_with("ini$$")) {
                initest::fs::remove(entry.path());
            }
        }
    }

    std::string m_old;
    std::string m_expected;
    IniPtr m_new;
};

TEST_F(IniWriteCrash, FailureAtEveryStepKeepsOldFileAndLeavesNoTemporary) {
    int step = 1;
    for (;; ++step) {
        Arm(step, Fault::kFail, step % 2 ? EIO : ENOSPC);
        const int rc = Ini_WriteToFile(m_new.get(), Target().c_str());
        if (filefaults::Reached() < step) {
            ASSERT_EQ(rc, 0) << "completing run " << step;
            break;
        }
        EXPECT_LT(rc, 0) << "step " << step;
        EXPECT_EQ(ReadBytes(Target()), m_old) << "step " << step;
        ASSERT_EQ(TempFiles(), 0) << "step " << step;
    }
    EXPECT_EQ(ReadBytes(Target()), m_expected);
    EXPECT_EQ(TempFiles(), 0);
    EXPECT_EQ(step - 1, kSteps);
}

TEST_F(IniWriteCrash, KillAtEveryStepLeavesOldOrNewFile) {
    for (int step = 1;; ++step) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Arm(step, Fault::kKill, 0);
            _exit(Ini_WriteToFile(m_new.get(), Target().c_str()) == 0 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string target = ReadBytes(Target());
        EXPECT_TRUE(target == m_old || target == m_expected) << "step " << step;
        if (WIFEXITED(status)) {
            // The armed step was never reached: the write completed.
            EXPECT_EQ(WEXITSTATUS(status), 0);
            EXPECT_EQ(target, m_expected);
            EXPECT_EQ(TempFiles(), 0);
            EXPECT_EQ(step, kSteps + 1);
            break;
        }
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "step " << step;
        // The rename is the last step, so every kill comes before it.
        EXPECT_EQ(target, m_old) << "step " << step;
        RemoveTempFiles();
    }
}

}  // namespace

namespace {

TEST_F(IniWriteCrash, UndeletableProbeOfANewTargetIsReported) {
    const auto fresh = Path("fresh.ini");
    // stat finds nothing, the probe is created and closed, then its removal fails.
    Arm(4, Fault::kFail, EIO);
    EXPECT_EQ(Ini_WriteToFile(m_new.get(), fresh.c_str()), kIniIoError);
}

}  // namespace
