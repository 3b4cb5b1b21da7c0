#pragma once

// Number <-> text conversions of the settings file, independent of the process
// locale (the decimal point is always ".").

#include <string>
#include <string_view>

namespace ini_detail {

std::string FormatInt(long value);       // as "%ld"
std::string FormatDouble(double value);  // as "%.16g": 0.1, 2, 1e+300, inf, -inf, nan

enum class ParseResult { kBlank, kOk, kInvalid };

// [ws][+|-]digits[ws] within the 32-bit range; *out set only for kOk.
ParseResult ParseInt(std::string_view text, int* out);
// "Inf"/"+Inf"/"-Inf" in any case, else strtod in the C locale. *out is set unless
// blank; kInvalid when text is left over or the value is out of range.
ParseResult ParseDouble(std::string_view text, double* out);

}  // namespace ini_detail
