#include "sim/framer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "sim/linepacing.h"

namespace zan1sim {
namespace {

using namespace std::chrono_literals;

struct FramingCase {
    std::vector<std::string> chunks;
    std::vector<std::string> frames;
};

void PrintTo(const FramingCase& f, std::ostream* os) {
    *os << testing::PrintToString(f.chunks);
}

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, CutsTheStreamIntoFrames) {
    FrameAssembler framer;
    std::vector<std::string> frames;
    for (const std::string& chunk : GetParam().chunks) {
        for (ReceivedFrame& f : framer.Feed(chunk, SimTime{})) {
            frames.push_back(std::move(f.text));
        }
    }
    EXPECT_EQ(frames, GetParam().frames);
}

const std::string k32 = "#1P1W" + std::string(27, '0');  // 32 bytes before the CR

INSTANTIATE_TEST_SUITE_P(
    Streams, Framing,
    testing::Values(FramingCase{{"#1IDR\r"}, {"#1IDR\r"}},
                    FramingCase{{"#1IDR\r#2IDR\r"}, {"#1IDR\r", "#2IDR\r"}},
                    FramingCase{{"#1P", "1R", "\r"}, {"#1P1R\r"}},
                    FramingCase{{"\x06xyz\r#1IDR\r"}, {"#1IDR\r"}},  // noise before '#' is ignored
                    FramingCase{{"#1ID#2IDR\r"}, {"#2IDR\r"}},       // a new '#' starts over
                    FramingCase{{"\r\r", "#\r"}, {"#\r"}}, FramingCase{{"#1IDR"}, {}},
                    FramingCase{{k32 + "\r"}, {k32 + "\r"}},
                    FramingCase{{k32 + "0\r#1IDR\r"}, {"#1IDR\r"}},  // 33 bytes: dropped
                    FramingCase{{k32, "0", "12\r", "#1IDR\r"}, {"#1IDR\r"}}));

TEST(Framing, FrameCarriesTheArrivalOfItsFirstByte) {
    FrameAssembler framer;
    const SimTime t0{};
    EXPECT_TRUE(framer.Feed("#1S1", t0 + 1ms).empty());
    const auto frames = framer.Feed("R\r#2IDR\r", t0 + 5ms);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].firstByte, t0 + 1ms);
    EXPECT_EQ(frames[1].firstByte, t0 + 5ms);
}

TEST(LinePacing, AnswerBytesAreDueAtExactMultiplesOfTheByteTime) {
    const SimTime t0{};
    const SimTime received = CommandReceived(t0, 6);
    EXPECT_EQ(received - t0, 6'250'000ns);  // 6 bytes at 960 bytes/s
    EXPECT_EQ(AnswerByteDue(received, 0) - t0, 6'250'000ns + 2ms + 1'041'666ns);
    // Byte 959 is due exactly one second after the turn-around: nothing accumulates.
    EXPECT_EQ(AnswerByteDue(received, 959) - received, 2ms + 1s);
}

}  // namespace
}  // namespace zan1sim
