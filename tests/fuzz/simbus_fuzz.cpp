// Feeds arbitrary bytes to the simulator as its line input. Each chunk starts
// with a byte that gives its length and how far model time moves on. Frames
// must not depend on where chunks end, and a device without a fault must answer
// only what the driver takes: ACK, NAK, or ACK and a text within its limit.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "driver/protocol.h"
#include "sim/bus.h"
#include "sim/framer.h"
#include "sim/valuetext.h"

namespace {

using namespace zan1sim;
using namespace std::chrono_literals;
using vekzan1::kAck;

constexpr SimClock::duration kAdvance[] = {0s, 10ms, 50ms, 200ms, 1s, 2s, 5s, 30s};
constexpr Fault kFaults[] = {Fault::None,    Fault::Silent, Fault::Nak,    Fault::Can,
                             Fault::Garbled, Fault::Cut,    Fault::HighBit};

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

void CheckFrame(std::string_view f) {
    Check(f.size() >= 2 && f.size() <= FrameAssembler::kMaxFrameLength + 1 && f[0] == '#' &&
          f.find_first_of("#\r", 1) == f.size() - 1);
}

// Module 1 and the foreign device 3 have no fault; module 2 takes the input's.
void CheckAnswer(std::string_view frame, std::string_view answer) {
    const char address = frame[1];
    if (address < '1' || address > '3') return Check(answer.empty());
    if (address == '2') return Check(answer.size() <= 1 + vekzan1::kIdentificationAnswerLimit);
    if (answer.size() <= 1) return Check(answer.empty() || answer == "\x06" || answer == "\x15");
    const std::string_view object = frame.substr(2, 2);
    const std::size_t limit = object == "ID"   ? vekzan1::kIdentificationAnswerLimit
                              : object == "ST" ? vekzan1::kStatusAnswerLimit
                                               : vekzan1::kParameterAnswerLimit;
    Check(answer.size() >= 4 && answer.size() - 1 <= limit && answer[0] == kAck &&
          answer[1] == '#' && answer[2] == address && answer.back() == '\r');
    const std::string_view text = answer.substr(3, answer.size() - 4);
    Check(std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F; }));
    if (object != "ID" && object != "ST") Check(ParseAnswerValue(text.substr(3)).has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Options options{{{1, ""}, {2, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}, {3, "ACME-DMM-42", true}}, {}};
    options.faults.push_back({2, kFaults[data[0] % std::size(kFaults)]});
    SimTime now{};
    Bus bus(options, now);
    FrameAssembler framer, whole;
    std::string line;
    std::vector<std::string> frames;
    for (std::size_t at = 1; at < size;) {
        const std::uint8_t head = data[at++];
        now += kAdvance[head >> 5];
        const std::size_t length = std::min<std::size_t>(head & 31, size - at);
        const std::string_view chunk(reinterpret_cast<const char*>(data) + at, length);
        at += length;
        line += chunk;
        for (const ReceivedFrame& frame : framer.feed(chunk, now)) {
            CheckFrame(frame.text);
            CheckAnswer(frame.text, bus.handle(frame.text, now));
            frames.push_back(frame.text);
        }
    }
    const auto once = whole.feed(line, now);
    Check(once.size() == frames.size());
    for (std::size_t k = 0; k < once.size(); ++k)
        Check(once[k].text == frames[k]);
    return 0;
}
