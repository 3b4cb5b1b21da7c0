// A small reader over one received answer text. Each check consumes what it
// matched and returns false on the first mismatch, so an operation can chain
// the checks and keep a single failure exit.
#pragma once

#include <string_view>

namespace vekzan1 {

class AnswerReader {
  public:
    explicit AnswerReader(std::string_view text) : m_text(text) {}

    bool expect(char c);
    // Exactly one decimal digit with the value of address.
    bool addressDigit(int address);
    // A decimal number, ending at the first character that cannot continue it.
    bool decimalNumber(double& value);
    // A non-empty run of printable characters, ending at the first blank or control character.
    bool word(std::string_view& text);
    // Exactly two hexadecimal digits.
    bool hexByte(int& value);
    // The terminating CR, and nothing after it.
    bool end();

  private:
    std::string_view m_text;
};

}  // namespace vekzan1
