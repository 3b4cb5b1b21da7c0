#include "config/parametersatz.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "config/ZAN1Func.h"
#include "platform/utf8.h"

namespace {

constexpr std::size_t kKopfVergleich = 26;  // the 25 characters and the terminator

// Code points of bytes 0x80..0x9F in Windows-1252; 0 where the byte is unassigned.
constexpr std::array<char32_t, 32> kCp1252Hoch = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Cp1252ZuUtf8(std::string_view text) {
    std::string ergebnis;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t zeichen = byte;
        if (byte >= 0x80 && byte < 0xA0) zeichen = kCp1252Hoch[byte - 0x80];
        platform::AppendUtf8(zeichen != 0 ? zeichen : U'?', &ergebnis);
    }
    return ergebnis;
}

char ZeichenZuCp1252(char32_t zeichen) {
    if (zeichen < 0x80 || (zeichen >= 0xA0 && zeichen <= 0xFF)) return static_cast<char>(zeichen);
    const auto* it = std::find(kCp1252Hoch.begin(), kCp1252Hoch.end(), zeichen);
    if (zeichen != 0 && it != kCp1252Hoch.end()) {
        return static_cast<char>(0x80 + (it - kCp1252Hoch.begin()));
    }
    return '?';
}

bool AlleEndlich(std::initializer_list<double> werte) {
    return std::all_of(werte.begin(), werte.end(), [](double x) { return std::isfinite(x); });
}

bool ReglerEndlich(const ReglerParameter& r) {
    return AlleEndlich({r.panteil, r.ianteil, r.danteil, r.stellmin, r.stellmax, r.anfangssollwert,
                        r.anstiegszeit, r.betriebsart});
}

}  // namespace

ReglerParameter ReglerAufSeite(const ReglerParameter& modul, const Konfigstruktur& konfig) {
    ReglerParameter seite = modul;
    seite.anfangssollwert = Umrechnen_VoltZuBenutzereinheit(modul.anfangssollwert, konfig);
    seite.anstiegszeit = Umrechnen_VoltZuBenutzereinheit(modul.anstiegszeit, konfig);
    return seite;
}

ReglerParameter ReglerFuerModul(const ReglerParameter& seite, const Konfigstruktur& konfig) {
    ReglerParameter modul = seite;
    modul.anfangssollwert = Umrechnen_BenutzereinheitZuVolt(seite.anfangssollwert, konfig);
    modul.anstiegszeit = Umrechnen_BenutzereinheitZuVolt(seite.anstiegszeit, konfig);
    return modul;
}

void EinheitAusDatei(std::span<const char, 8> feld, Konfigstruktur* konfig) {
    const std::string_view roh(feld.data(), strnlen(feld.data(), feld.size()));
    EinheitSetzen(konfig, platform::IsValidUtf8(roh) ? std::string(roh) : Cp1252ZuUtf8(roh));
}

std::array<char, 8> EinheitFuerDatei(const Konfigstruktur& konfig) {
    std::array<char, 8> feld{};
    const std::string_view text = Einheit(konfig);
    std::size_t ziel = 0;
    // The last byte stays the terminator.
    for (std::size_t pos = 0; pos < text.size() && ziel + 1 < feld.size();) {
        const std::optional<char32_t> zeichen = platform::NextCodePoint(text, &pos);
        if (!zeichen) ++pos;
        feld[ziel++] = zeichen ? ZeichenZuCp1252(*zeichen) : '?';
    }
    return feld;
}

std::array<std::byte, kParametersatzGroesse> ParametersatzZuBytes(const Parametersatz& satz) {
    Parametersatz datei{};
    datei.regler1 = satz.regler1;
    datei.regler2 = satz.regler2;
    datei.regler1.frei = {};
    datei.regler2.frei = {};
    datei.konfig1 = satz.konfig1;
    datei.konfig2 = satz.konfig2;
    const std::array<char, 8> einheit1 = EinheitFuerDatei(satz.konfig1);
    const std::array<char, 8> einheit2 = EinheitFuerDatei(satz.konfig2);
    std::memcpy(datei.konfig1.einheit, einheit1.data(), einheit1.size());
    std::memcpy(datei.konfig2.einheit, einheit2.data(), einheit2.size());
    datei.zoommin = satz.zoommin;
    datei.zoommax = satz.zoommax;
    datei.version = kParameterdateiVersion;
    std::memcpy(datei.kopf.data(), kParameterdateiKopf, kKopfVergleich);
    std::array<std::byte, kParametersatzGroesse> bytes{};
    std::memcpy(bytes.data(), &datei, bytes.size());
    return bytes;
}

int ParametersatzAusBytes(std::span<const std::byte> bytes, Parametersatz* satz) {
    if (bytes.size() < kParametersatzKopfUndVersion) return kFehlerParameterdateiKopfLesen;
    if (std::memcmp(bytes.data(), kParameterdateiKopf, kKopfVergleich) != 0) {
        return kFehlerParameterdateiTyp;
    }
    std::int32_t version = 0;
    std::memcpy(&version, bytes.data() + offsetof(Parametersatz, version), sizeof version);
    if (version != kParameterdateiVersion) return kFehlerParameterdateiVersion;
    if (bytes.size() < kParametersatzGroesse) return kFehlerParameterdateiLesen;

    Parametersatz gelesen;
    std::memcpy(&gelesen, bytes.data(), kParametersatzGroesse);
    // The file is untrusted: a broken scaling would divide by zero later on.
    if (!ReglerEndlich(gelesen.regler1) || !ReglerEndlich(gelesen.regler2) ||
        !AlleEndlich({gelesen.zoommin, gelesen.zoommax}) || !SkalierungBrauchbar(gelesen.konfig1) ||
        !SkalierungBrauchbar(gelesen.konfig2)) {
        return kFehlerParameterdateiInhalt;
    }
    std::array<char, 8> feld{};
    std::memcpy(feld.data(), gelesen.konfig1.einheit, feld.size());
    EinheitAusDatei(feld, &gelesen.konfig1);
    std::memcpy(feld.data(), gelesen.konfig2.einheit, feld.size());
    EinheitAusDatei(feld, &gelesen.konfig2);
    *satz = gelesen;
    return 0;
}
