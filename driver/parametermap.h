// The module's 24 parameters: name, two-character wire code, write range, how a
// written value is spelled, and the error code for a value outside the range.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vekzan1 {

enum class ValueText {
    ControllerShare,  // decimals shrink with magnitude: 4 below 10 ... none from 10000
    ThreeDecimals,
    Ramp,           // 3 decimals below 100, 2 from 100, 1 from 1000
    Integer,        // operating mode 1, 2 or 3
    FourHexDigits,  // zero-output option: 0000 or 0001
    ReadOnly,
};

struct Parameter {
    std::string_view name;
    char codeLetter;
    char codeDigit;
    ValueText text;
    double min;
    double max;
    int rangeCode;  // returned for a write value outside min..max
};

std::span<const Parameter> ParameterMap();

// Exact, case-sensitive lookup among all 24 rows; nullptr when unknown.
const Parameter* FindParameter(std::string_view name);

// Lookup by wire code ("P1", "V5", ...); nullptr when unknown.
const Parameter* FindParameterByCode(char letter, char digit);

bool IsWritable(const Parameter& p);

// True when a write of value is allowed (bounds included; the operating mode
// must be exactly 1, 2 or 3; NaN and infinities never are).
bool InRange(const Parameter& p, double value);

// Decimals of a controller share (P, I, D) by its magnitude: 4 below 10, 3
// below 100, 2 below 1000, 1 below 10000, else 0. The operator window shows
// the shares with as many decimals as the module is sent.
int ControllerShareDecimals(double value);

// The value text of a write command, by the parameter's rule. Only for values
// that passed InRange.
std::string FormatValue(const Parameter& p, double value);

// The value as the module spells it in a read answer: the write text, except
// that the operating mode and the zero-output option are plain integers and
// the read-only actual values have 3 decimals.
std::string FormatAnswer(const Parameter& p, double value);

}  // namespace vekzan1
