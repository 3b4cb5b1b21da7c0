// The exchange every driver operation shares: empty the queues, send one
// command, wait until it is on the line, then take the answer. The caller
// passes its own error codes, one per failure site.
#pragma once

#include <cstddef>
#include <string_view>

namespace vekzan1 {

struct TransactionCodes {
    int flushFailed;  // 0: return FlushInOut's own code
    int writeFailed;  // also when the command does not leave the output queue in time
    int shortWrite;
    int nak;
    int can;
    int noAnswer;
    int notAck;
    int textBroken;  // a read failed inside the answer text
};

// Fixed-capacity answer text, so a transaction allocates nothing.
struct AnswerText {
    char bytes[32];
    std::size_t length = 0;
    std::string_view view() const { return {bytes, length}; }
};

// Sends command and, unless answerLimit is 0, waits for the first answer byte.
// With a positive answerLimit an ACK must be followed by an answer text of at
// most that many bytes up to and including CR, which is stored in answer.
int RunTransaction(int port, std::string_view command, bool awaitAnswer, std::size_t answerLimit,
                   const TransactionCodes& codes, AnswerText* answer);

}  // namespace vekzan1
