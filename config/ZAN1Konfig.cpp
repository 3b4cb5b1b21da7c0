#include "config/ZAN1Konfig.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>

#include "config/ZAN1Func.h"
#include "platform/ini/ini.h"

namespace {

// Section and keys of the settings file.
constexpr const char* kSektion = "ZAN1";
constexpr const char* kSchluesselAdresse = "adresse";
constexpr const char* kSchluesselComport = "comport";
constexpr const char* kSchluesselZoomMin = "zoommin";
constexpr const char* kSchluesselZoomMax = "zoommax";

struct KanalSchluessel {
    const char* vmin;
    const char* vmax;
    const char* einheitmin;
    const char* einheitmax;
    const char* einheit;
};
constexpr KanalSchluessel kKanal1 = {"vmin1", "vmax1", "einheitmin1", "einheitmax1", "einheit1"};
constexpr KanalSchluessel kKanal2 = {"vmin2", "vmax2", "einheitmin2", "einheitmax2", "einheit2"};

constexpr int kComportMin = 1;
constexpr int kComportMax = 8;
constexpr int kAdresseMin = 1;
constexpr int kAdresseMax = 9;  // 9 addresses every module

std::optional<int> GanzzahlLesen(IniHandle ini, const char* schluessel, int min, int max) {
    int wert = 0;
    if (Ini_GetInt(ini, kSektion, schluessel, &wert) > 0 && wert >= min && wert <= max) return wert;
    return std::nullopt;
}

std::optional<double> ZahlLesen(IniHandle ini, const char* schluessel) {
    double wert = 0.0;
    if (Ini_GetDouble(ini, kSektion, schluessel, &wert) != 0) return wert;
    return std::nullopt;
}

void KanalLesen(IniHandle ini, const KanalSchluessel& s, Konfigstruktur* konfig) {
    Ini_GetDouble(ini, kSektion, s.vmin, &konfig->vmin);
    Ini_GetDouble(ini, kSektion, s.vmax, &konfig->vmax);
    Ini_GetDouble(ini, kSektion, s.einheitmin, &konfig->einheitmin);
    Ini_GetDouble(ini, kSektion, s.einheitmax, &konfig->einheitmax);
    // Room for more than a unit may hold, so the cut is EinheitSetzen's.
    std::array<char, 4 * kEinheitMaxBytes + 1> einheit{};
    Ini_GetRawStringIntoBuffer(ini, kSektion, s.einheit, einheit.data(), einheit.size());
    EinheitSetzen(konfig, einheit.data());
    // An unusable mapping would divide by zero: the defaults stay instead.
    if (!SkalierungBrauchbar(*konfig)) *konfig = kStandardKonfig;
}

bool KanalSchreiben(IniHandle ini, const KanalSchluessel& s, const Konfigstruktur& konfig) {
    const std::string einheit(Einheit(konfig));
    return Ini_PutDouble(ini, kSektion, s.vmin, konfig.vmin) == 0 &&
           Ini_PutDouble(ini, kSektion, s.vmax, konfig.vmax) == 0 &&
           Ini_PutDouble(ini, kSektion, s.einheitmin, konfig.einheitmin) == 0 &&
           Ini_PutDouble(ini, kSektion, s.einheitmax, konfig.einheitmax) == 0 &&
           Ini_PutRawString(ini, kSektion, s.einheit, einheit.c_str()) == 0;
}

template <typename T, typename Put>
bool Schreiben(IniHandle ini, const char* schluessel, const std::optional<T>& wert, Put put) {
    return !wert || put(ini, kSektion, schluessel, *wert) == 0;
}

}  // namespace

int EinstellungenLesen(const std::string& datei, Einstellungen* e) {
    *e = {};
    IniPtr ini = MakeIni(true);
    if (!ini) return kFehlerIniLesen;
    // The reader reports a missing and an unreadable file alike.
    struct stat info {};
    if (stat(datei.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        return kFehlerIniNichtGefunden;
    }
    if (Ini_ReadFromFile(ini.get(), datei.c_str()) < 0) return kFehlerIniLesen;
    e->comport = GanzzahlLesen(ini.get(), kSchluesselComport, kComportMin, kComportMax);
    e->adresse = GanzzahlLesen(ini.get(), kSchluesselAdresse, kAdresseMin, kAdresseMax);
    KanalLesen(ini.get(), kKanal1, &e->konfig1);
    KanalLesen(ini.get(), kKanal2, &e->konfig2);
    e->zoomMinVolt = ZahlLesen(ini.get(), kSchluesselZoomMin);
    e->zoomMaxVolt = ZahlLesen(ini.get(), kSchluesselZoomMax);
    return 0;
}

int EinstellungenSchreiben(const std::string& datei, const Einstellungen& e) {
    IniPtr ini = MakeIni(true);
    if (!ini) return kFehlerIniSchreiben;
    const bool gefuellt = Schreiben(ini.get(), kSchluesselAdresse, e.adresse, Ini_PutInt) &&
                          Schreiben(ini.get(), kSchluesselComport, e.comport, Ini_PutInt) &&
                          KanalSchreiben(ini.get(), kKanal1, e.konfig1) &&
                          KanalSchreiben(ini.get(), kKanal2, e.konfig2) &&
                          Schreiben(ini.get(), kSchluesselZoomMin, e.zoomMinVolt, Ini_PutDouble) &&
                          Schreiben(ini.get(), kSchluesselZoomMax, e.zoomMaxVolt, Ini_PutDouble);
    // A half-filled object would drop settings: keep the old file instead.
    if (!gefuellt || Ini_WriteToFile(ini.get(), datei.c_str()) < 0) return kFehlerIniSchreiben;
    return 0;
}
