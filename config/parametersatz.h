// The parameter-set record: the fixed 280-byte little-endian image of a
// parameter file, and its conversion from and to bytes. Knows nothing of
// panels or files, so the byte checks run on any buffer.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

#include "config/konfigstruktur.h"

static_assert(std::endian::native == std::endian::little,
              "the record is stored as its in-memory image");

// The values of one controller page, in the units in which the page holds them.
struct ReglerParameter {
    double panteil;
    double ianteil;
    double danteil;
    double stellmin;         // volts
    double stellmax;         // volts
    double anfangssollwert;  // channel's user unit
    double anstiegszeit;     // channel's user unit per second
    double betriebsart;      // 1.0, 2.0 or 3.0
    std::int32_t modusistwertnull;
    std::array<char, 4> frei;
};

static_assert(sizeof(ReglerParameter) == 72);
static_assert(offsetof(ReglerParameter, panteil) == 0);
static_assert(offsetof(ReglerParameter, ianteil) == 8);
static_assert(offsetof(ReglerParameter, danteil) == 16);
static_assert(offsetof(ReglerParameter, stellmin) == 24);
static_assert(offsetof(ReglerParameter, stellmax) == 32);
static_assert(offsetof(ReglerParameter, anfangssollwert) == 40);
static_assert(offsetof(ReglerParameter, anstiegszeit) == 48);
static_assert(offsetof(ReglerParameter, betriebsart) == 56);
static_assert(offsetof(ReglerParameter, modusistwertnull) == 64);

struct Parametersatz {
    std::array<char, 32> kopf;  // kParameterdateiKopf with its terminator
    std::int32_t version;
    std::array<char, 4> frei;
    ReglerParameter regler1;
    ReglerParameter regler2;
    Konfigstruktur konfig1;  // einheit as UTF-8 here, Windows-1252 in the file
    Konfigstruktur konfig2;
    double zoommin;  // channel 1's user unit
    double zoommax;
};

inline constexpr std::size_t kParametersatzGroesse = 280;
inline constexpr std::size_t kParametersatzKopfUndVersion = 36;

static_assert(sizeof(Parametersatz) == kParametersatzGroesse);
static_assert(offsetof(Parametersatz, kopf) == 0);
static_assert(offsetof(Parametersatz, version) == 32);
static_assert(offsetof(Parametersatz, regler1) == 40);
static_assert(offsetof(Parametersatz, regler2) == 112);
static_assert(offsetof(Parametersatz, konfig1) == 184);
static_assert(offsetof(Parametersatz, konfig2) == 224);
static_assert(offsetof(Parametersatz, zoommin) == 264);
static_assert(offsetof(Parametersatz, zoommax) == 272);

inline constexpr const char* kParameterdateiKopf = "vek zan1_1 parameterdatei";
inline constexpr std::int32_t kParameterdateiVersion = 1;

inline constexpr int kFehlerParameterdateiSpeichernOeffnen = -308101;
inline constexpr int kFehlerParameterdateiSchreiben = -301102;
inline constexpr int kFehlerParameterdateiLadenOeffnen = -308103;
inline constexpr int kFehlerParameterdateiKopfLesen = -304104;
inline constexpr int kFehlerParameterdateiTyp = -302105;
inline constexpr int kFehlerParameterdateiVersion = -303106;
inline constexpr int kFehlerParameterdateiLesen = -304107;
// A stored scaling that is not SkalierungBrauchbar, or a value that is NaN or
// infinite.
inline constexpr int kFehlerParameterdateiInhalt = -312113;

// A controller's values between the module's units and the page's: the
// power-on setpoint and the ramp are volts on the module and the channel's
// user unit on the page; everything else is the same on both.
ReglerParameter ReglerAufSeite(const ReglerParameter& modul, const Konfigstruktur& konfig);
ReglerParameter ReglerFuerModul(const ReglerParameter& seite, const Konfigstruktur& konfig);

// The file image of record with header and version set and each unit name
// converted to Windows-1252 (characters it lacks become '?'); the bytes
// without meaning are zero.
std::array<std::byte, kParametersatzGroesse> ParametersatzZuBytes(const Parametersatz& satz);

// Checks the first bytes of a file (only the first 280 are looked at) in the
// file's order and, on 0, fills *satz with units as UTF-8. Codes:
// kFehlerParameterdateiKopfLesen (fewer than 36 bytes), kFehlerParameterdateiTyp,
// kFehlerParameterdateiVersion, kFehlerParameterdateiLesen (fewer than 280),
// kFehlerParameterdateiInhalt. On failure *satz is untouched.
int ParametersatzAusBytes(std::span<const std::byte> bytes, Parametersatz* satz);

// Unit name bytes of a file as UTF-8: valid UTF-8 stays, anything else is read
// as Windows-1252. A field without terminator keeps 5 characters; the result
// is cut to 5 bytes without splitting a character, as the record holds it.
void EinheitAusDatei(std::span<const char, 8> feld, Konfigstruktur* konfig);
// The record's UTF-8 unit name as a NUL-padded Windows-1252 field.
std::array<char, 8> EinheitFuerDatei(const Konfigstruktur& konfig);
