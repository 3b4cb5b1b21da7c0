// Text of CSV files as RFC 4180 has it, the same in every locale: a field is
// quoted only when it holds a comma, a quote or a line break, its quotes then
// doubled; numbers have a decimal point and no grouping.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kCsvLineEnd = "\r\n";

void AppendCsvField(std::string& out, std::string_view text);
// The value with exactly `decimals` digits after the point, 0 to 80.
void AppendFixed(std::string& out, double value, int decimals);

}  // namespace platform
