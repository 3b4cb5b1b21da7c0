#include "driver/transaction.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "driver/protocol.h"
#include "driver/vekzan1.h"
#include "platform/rs232/rs232.h"

namespace vekzan1 {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// A byte with the top bit set cannot come over the 7-bit line: a failed read.
int ReadLineByte(int port) {
    const int byte = ComRdByte(port);
    return byte > 0x7F ? -1 : byte;
}

// Waits until the command has left the output queue. The wait is bounded by
// the time the bytes need on the line plus the read timeout, so a stuck
// driver queue cannot hang the caller.
bool WaitUntilSent(int port, std::size_t bytes) {
    const double timeout = std::max(GetComTime(port), 0.0);
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             Seconds(bytes * kSecondsPerByte + timeout));
    for (;;) {
        const int pending = GetOutQLen(port);
        if (pending == 0) return true;
        if (pending < 0) return false;
        const auto now = Clock::now();
        if (now >= deadline) return false;
        const auto lineTime =
            std::chrono::duration_cast<Clock::duration>(Seconds(pending * kSecondsPerByte));
        std::this_thread::sleep_for(std::min(lineTime, deadline - now));
    }
}

}  // namespace

int RunTransaction(int port, std::string_view command, bool awaitAnswer, std::size_t answerLimit,
                   const TransactionCodes& codes, AnswerText* answer) {
    if (const int flushed = FlushInOut(port); flushed != 0) {
        return codes.flushFailed != 0 ? codes.flushFailed : flushed;
    }
    const int count = static_cast<int>(command.size());
    const int written = ComWrt(port, command.data(), count);
    if (written < 0) return codes.writeFailed;
    if (written != count) return codes.shortWrite;
    if (!WaitUntilSent(port, command.size())) return codes.writeFailed;
    if (!awaitAnswer) return 0;

    const int first = ReadLineByte(port);
    if (first == kNak) return codes.nak;
    if (first == kCan) return codes.can;
    if (first < 0) return codes.noAnswer;
    if (first != kAck) return codes.notAck;
    if (answerLimit == 0) return 0;

    answer->length = 0;
    const std::size_t limit = std::min(answerLimit, sizeof answer->bytes);
    while (answer->length < limit) {
        const int byte = ReadLineByte(port);
        if (byte < 0) return codes.textBroken;
        answer->bytes[answer->length++] = static_cast<char>(byte);
        if (byte == kTerminator) break;
    }
    return 0;
}

}  // namespace vekzan1
