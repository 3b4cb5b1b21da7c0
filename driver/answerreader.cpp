#include "driver/answerreader.h"

#include <charconv>

#include "driver/protocol.h"
#include "driver/vekzan1.h"

namespace vekzan1 {

bool AnswerReader::expect(char c) {
    if (m_text.empty() || m_text.front() != c) return false;
    m_text.remove_prefix(1);
    return true;
}

bool AnswerReader::addressDigit(int address) {
    if (address < 0 || address > 9) return false;
    return expect(static_cast<char>('0' + address));
}

bool AnswerReader::decimalNumber(double& value) {
    // from_chars would also take "inf" and "nan"; the module sends digits only.
    std::size_t first = (!m_text.empty() && m_text.front() == '-') ? 1 : 0;
    if (first >= m_text.size()) return false;
    const char lead = m_text[first];
    if (!(lead >= '0' && lead <= '9') && lead != '.') return false;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(m_text.data(), m_text.data() + m_text.size(), parsed);
    if (ec != std::errc{}) return false;
    value = parsed;
    m_text.remove_prefix(static_cast<std::size_t>(end - m_text.data()));
    return true;
}

bool AnswerReader::word(std::string_view& text) {
    std::size_t length = 0;
    while (length < m_text.size() && m_text[length] > ' ' && m_text[length] < 0x7F)
        ++length;
    if (length == 0) return false;
    text = m_text.substr(0, length);
    m_text.remove_prefix(length);
    return true;
}

bool AnswerReader::hexByte(int& value) {
    if (m_text.size() < 2) return false;
    const int high = Hexchar2Int(m_text[0]);
    const int low = Hexchar2Int(m_text[1]);
    if (high < 0 || low < 0) return false;
    value = high * 16 + low;
    m_text.remove_prefix(2);
    return true;
}

bool AnswerReader::end() {
    return m_text.size() == 1 && m_text.front() == kTerminator;
}

}  // namespace vekzan1
