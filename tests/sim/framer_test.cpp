#include "sim/framer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "sim/linepacing.h"

namespace zan1sim {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

TEST(Framer, CutsTheStreamIntoFrames) {
    const std::string k32 = "#1P1W" + std::string(27, '0');  // 32 bytes before the CR
    const std::vector<std::pair<Strings, Strings>> cases{
        {{"#1IDR\r#2IDR\r"}, {"#1IDR\r", "#2IDR\r"}},
        {{"#1P", "1R", "\r"}, {"#1P1R\r"}},
        {{"\x06xyz\r#1IDR\r"}, {"#1IDR\r"}},  // bytes outside a frame are ignored
        {{"#1ID#2IDR\r"}, {"#2IDR\r"}},       // a new '#' starts over
        {{"\r\r", "#\r"}, {"#\r"}},
        {{"#1IDR"}, {}},
        {{k32 + "\r"}, {k32 + "\r"}},
        {{k32 + "0\r#1IDR\r"}, {"#1IDR\r"}},  // one byte too long: dropped
        {{k32, "0", "12\r", "#1IDR\r"}, {"#1IDR\r"}},
    };
    for (const auto& [chunks, want] : cases) {
        FrameAssembler framer;
        Strings frames;
        for (const std::string& chunk : chunks) {
            for (ReceivedFrame& f : framer.feed(chunk, SimTime{}))
                frames.push_back(f.text);
        }
        EXPECT_EQ(frames, want) << testing::PrintToString(chunks);
    }
}

TEST(Framer, FrameCarriesTheArrivalOfItsFirstByte) {
    FrameAssembler framer;
    EXPECT_TRUE(framer.feed("#1S1", SimTime{} + 1ms).empty());
    const auto frames = framer.feed("R\r#2IDR\r", SimTime{} + 5ms);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].firstByte, SimTime{} + 1ms);
    EXPECT_EQ(frames[1].firstByte, SimTime{} + 5ms);
}

TEST(LinePacing, AnswerBytesAreDueAtExactMultiplesOfTheByteTime) {
    const SimTime received = CommandReceived(SimTime{}, 6);
    EXPECT_EQ(received - SimTime{}, 6'250'000ns);  // 6 bytes at 960 bytes/s
    EXPECT_EQ(AnswerByteDue(received, 0) - received, 2ms + 1'041'666ns);
    // Byte 959 is due exactly one second after the turn-around: nothing accumulates.
    EXPECT_EQ(AnswerByteDue(received, 959) - received, 2ms + 1s);
}

}  // namespace
}  // namespace zan1sim
