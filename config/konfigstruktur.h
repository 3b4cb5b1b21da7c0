// The scaling record of a controller channel.
#pragma once

#include <cstddef>
#include <string_view>

// One channel's straight-line mapping of a volt interval onto a user interval.
// Its byte image is stored unchanged in parameter files: fixed layout, 40 bytes.
struct Konfigstruktur {
    double vmin;        // volts
    double vmax;        // volts
    double einheitmin;  // user value at vmin
    double einheitmax;  // user value at vmax
    char einheit[8];    // unit name, NUL-terminated, at most 5 characters
};

static_assert(sizeof(Konfigstruktur) == 40);
static_assert(offsetof(Konfigstruktur, vmin) == 0);
static_assert(offsetof(Konfigstruktur, vmax) == 8);
static_assert(offsetof(Konfigstruktur, einheitmin) == 16);
static_assert(offsetof(Konfigstruktur, einheitmax) == 24);
static_assert(offsetof(Konfigstruktur, einheit) == 32);

// Longest unit name in bytes (the record's field keeps its terminator).
inline constexpr std::size_t kEinheitMaxBytes = 5;

// 0..10 V onto 0..10 "V", the identity.
inline constexpr Konfigstruktur kStandardKonfig = {0.0, 10.0, 0.0, 10.0, "V"};

// The unit name up to its terminator (at most the 8 bytes of the field).
std::string_view Einheit(const Konfigstruktur& konfig);
// Stores text cut to kEinheitMaxBytes, never inside a UTF-8 sequence.
void EinheitSetzen(Konfigstruktur* konfig, std::string_view text);
