// The simulator on a real pseudo-terminal, seen from a client that opens the
// terminal side like a serial port.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/ptyserver.h"
#include "sim/uniquefd.h"

namespace zan1sim {
namespace {

// Generous: only a hung simulator ever waits this long.
constexpr int kAnswerTimeoutMs = 5000;

class Client {
  public:
    explicit Client(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios tio{};
        if (fd_.valid() && tcgetattr(fd_.get(), &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(fd_.get(), TCSANOW, &tio);
        }
    }
    bool isOpen() const { return fd_.valid(); }

    bool Send(const std::string& bytes) {
        return write(fd_.get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // A write is answered with one byte; a read with one byte, or ACK and a
    // text up to CR. Stops early after the timeout.
    std::string Answer(bool oneByte) {
        std::string got;
        while (true) {
            pollfd p{fd_.get(), POLLIN, 0};
            if (poll(&p, 1, kAnswerTimeoutMs) <= 0) {
                return got;
            }
            char c = 0;
            if (read(fd_.get(), &c, 1) != 1) {
                return got;
            }
            got.push_back(c);
            if (oneByte || c == '\r' || (got.size() == 1 && c != '\x06')) {
                return got;
            }
        }
    }

    std::string Ask(const std::string& command) {
        const bool write = command.size() > 4 && command[4] == 'W';
        return Send(command) ? Answer(write) : "send failed";
    }

  private:
    UniqueFd fd_;
};

class PtyServing : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        Options options;
        options.devices = {{1, ""}, {3, "ACME-DMM-42", true}};
        options.realtime = GetParam();
        std::string error;
        server_ = PtyServer::Start(options, &error);
        if (!server_) {
            GTEST_SKIP() << "no pseudo-terminal can be opened here: " << error;
        }
    }

    std::unique_ptr<PtyServer> server_;
};

TEST_P(PtyServing, AnswersTheIdentificationExactlyAndLogsTheFrame) {
    Client client(server_->devicePath());
    ASSERT_TRUE(client.isOpen());
    EXPECT_EQ(client.Ask("#1IDR\r"), "\x06#1VEK-ZAN1B-SIM\r");
    EXPECT_EQ(client.Ask("#3IDR\r"), "\x06#3ACME-DMM-42\r");
    EXPECT_EQ(server_->frames(), (std::vector<std::string>{"#1IDR\r", "#3IDR\r"}));
}

TEST_P(PtyServing, BroadcastGetsNoAnswerButTakesEffect) {
    Client client(server_->devicePath());
    ASSERT_TRUE(client.isOpen());
    ASSERT_TRUE(client.Send("#9S1W7.000\r"));
    // Had the broadcast been answered, that byte would come first.
    EXPECT_EQ(client.Ask("#1S1R\r"), "\x06#1S1R7.000\r");
    EXPECT_EQ(server_->parameter(1, "soll1"), 7.0);
}

TEST_P(PtyServing, ClientMayCloseAndReopenThePort) {
    {
        Client first(server_->devicePath());
        ASSERT_TRUE(first.isOpen());
        EXPECT_EQ(first.Ask("#1S2W4.000\r"), "\x06");
    }
    Client second(server_->devicePath());
    ASSERT_TRUE(second.isOpen());
    EXPECT_EQ(second.Ask("#1S2R\r"), "\x06#1S2R4.000\r");
    Client third(server_->devicePath());
    ASSERT_TRUE(third.isOpen());
    EXPECT_EQ(third.Ask("#1IDR\r"), "\x06#1VEK-ZAN1B-SIM\r");
}

TEST_P(PtyServing, FaultsAndParametersFromTheOwningThread) {
    Client client(server_->devicePath());
    ASSERT_TRUE(client.isOpen());
    server_->setFault(1, Fault::Nak);
    EXPECT_EQ(client.Ask("#1S1W1.000\r"), "\x15");
    server_->setFault(1, Fault::None);
    EXPECT_EQ(client.Ask("#1S1W1.000\r"), "\x06");
    EXPECT_EQ(server_->parameter(1, "soll1"), 1.0);
    EXPECT_EQ(server_->parameter(3, "soll1"), std::nullopt);
    EXPECT_EQ(server_->parameter(1, "bogus"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Pacing, PtyServing, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Realtime" : "AtOnce"; });

TEST(PtyServerStart, RefusesImpossibleOptions) {
    Options options;
    options.devices = {{2, "A"}, {2, "B"}};
    std::string error;
    EXPECT_EQ(PtyServer::Start(options, &error), nullptr);
    EXPECT_NE(error.find("twice"), std::string::npos);
}

TEST(PtyServerFrames, KeepsTheLast1000) {
    std::string error;
    auto server = PtyServer::Start({}, &error);
    if (!server) {
        GTEST_SKIP() << "no pseudo-terminal can be opened here: " << error;
    }
    Client client(server->devicePath());
    ASSERT_TRUE(client.isOpen());
    // Frames to an empty address need no answer, so they can go in one burst.
    std::string burst;
    for (int k = 0; k < 1005; ++k) {
        burst += "#5P" + std::to_string(k % 10) + "R\r";
    }
    ASSERT_TRUE(client.Send(burst));
    EXPECT_EQ(client.Ask("#1IDR\r"), "\x06#1VEK-ZAN1B-SIM\r");
    const auto frames = server->frames();
    ASSERT_EQ(frames.size(), 1000u);
    EXPECT_EQ(frames.front(), "#5P6R\r");  // frames 0..5 dropped
    EXPECT_EQ(frames.back(), "#1IDR\r");
}

}  // namespace
}  // namespace zan1sim
