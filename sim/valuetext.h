// Value texts as the module speaks them: what it accepts in a write command and
// how it spells a value in a read answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/parametermap.h"

namespace zan1sim {

// The value of a write command's text, or nullopt when the text is not one the
// driver's write rules can produce: "-"? digits ("." digits)? for decimal
// parameters, exactly "1", "2" or "3" for the operating mode, exactly "0000" or
// "0001" for the zero-output option. The range is not checked here.
std::optional<double> ParseWriteValue(const vekzan1::Parameter& parameter, std::string_view text);

// The number of a read answer, as the parameter map spells it
// (vekzan1::FormatAnswer). At most 13 characters for every value a module can
// hold, so the answer fits the driver's 19 bytes.
std::string ReadAnswerValue(const vekzan1::Parameter& parameter, double value);

// Parses a number as ReadAnswerValue spells it.
std::optional<double> ParseAnswerValue(std::string_view text);

}  // namespace zan1sim
