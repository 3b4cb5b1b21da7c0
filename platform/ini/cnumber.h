// strtod in the C locale, whatever locale the process has.
#pragma once

#include <string>

namespace ini_detail {

// The value of the longest number at the start of text, with *end the count
// of characters it took (0: none) and *error ERANGE when it over- or
// underflowed, else 0.
double StrtodInCLocale(const std::string& text, std::size_t* end, int* error);

}  // namespace ini_detail
