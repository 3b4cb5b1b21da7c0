#include "config/ZAN1Konfig.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <string>

#include "config/ZAN1Func.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/ini/ini.h"
#include "platform/userint/userint.h"

namespace {

constexpr Konfigstruktur kStandard = {0.0, 10.0, 0.0, 10.0, "V"};

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

void KonfigZuSeite(int seite, const Konfigstruktur& konfig) {
    SetCtrlVal(seite, TABKONFIG_SKALMIN_VOLT, konfig.vmin);
    SetCtrlVal(seite, TABKONFIG_SKALMAX_VOLT, konfig.vmax);
    SetCtrlVal(seite, TABKONFIG_SKALMIN_UMGERECHNET, konfig.einheitmin);
    SetCtrlVal(seite, TABKONFIG_SKALMAX_UMGERECHNET, konfig.einheitmax);
    SetCtrlVal(seite, TABKONFIG_SKAL_EINHEIT, std::string(Einheit(konfig)));
}

void RingLesen(IniHandle ini, const char* schluessel, int min, int max, int control) {
    int wert = 0;
    if (Ini_GetInt(ini, kSektion, schluessel, &wert) > 0 && wert >= min && wert <= max) {
        SetCtrlVal(panelHandle, control, wert);
    }
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
}

// A missing key keeps the control's value.
void ZoomLesen(IniHandle ini, const char* schluessel, int control) {
    double volt = 0.0;
    if (Ini_GetDouble(ini, kSektion, schluessel, &volt) != 0)
        SetCtrlVal(panelHandle, control, volt);
}

bool KanalSchreiben(IniHandle ini, const KanalSchluessel& s, const Konfigstruktur& konfig) {
    const std::string einheit(Einheit(konfig));
    return Ini_PutDouble(ini, kSektion, s.vmin, konfig.vmin) == 0 &&
           Ini_PutDouble(ini, kSektion, s.vmax, konfig.vmax) == 0 &&
           Ini_PutDouble(ini, kSektion, s.einheitmin, konfig.einheitmin) == 0 &&
           Ini_PutDouble(ini, kSektion, s.einheitmax, konfig.einheitmax) == 0 &&
           Ini_PutRawString(ini, kSektion, s.einheit, einheit.c_str()) == 0;
}

bool ZoomSchreiben(IniHandle ini, const char* schluessel, int control) {
    double wert = 0.0;
    GetCtrlVal(panelHandle, control, &wert);
    return Ini_PutDouble(ini, kSektion, schluessel,
                         Umrechnen_BenutzereinheitZuVolt(wert, gKonfig1)) == 0;
}

bool RingSchreiben(IniHandle ini, const char* schluessel, int control) {
    int wert = 0;
    GetCtrlVal(panelHandle, control, &wert);
    return Ini_PutInt(ini, kSektion, schluessel, wert) == 0;
}

}  // namespace

void KonfigstrukturAufStandardwerte() {
    gKonfig1 = kStandard;
    gKonfig2 = kStandard;
}

void KonfigStrukturZuGui() {
    KonfigZuSeite(konfigtabRegler1, gKonfig1);
    KonfigZuSeite(konfigtabRegler2, gKonfig2);
}

int LoadIni() {
    KonfigstrukturAufStandardwerte();
    IniPtr ini = MakeIni(true);
    if (!ini) return kFehlerIniLesen;
    // The reader reports a missing and an unreadable file alike.
    struct stat info {};
    if (stat(kIniDateiname, &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        return kFehlerIniNichtGefunden;
    }
    if (Ini_ReadFromFile(ini.get(), kIniDateiname) < 0) return kFehlerIniLesen;

    RingLesen(ini.get(), kSchluesselComport, kComportMin, kComportMax, PANEL_PORT);
    RingLesen(ini.get(), kSchluesselAdresse, kAdresseMin, kAdresseMax, PANEL_ADRESSE);
    KanalLesen(ini.get(), kKanal1, &gKonfig1);
    KanalLesen(ini.get(), kKanal2, &gKonfig2);
    ZoomLesen(ini.get(), kSchluesselZoomMin, PANEL_GRAPHZOOMMIN);
    ZoomLesen(ini.get(), kSchluesselZoomMax, PANEL_GRAPHZOOMMAX);
    // An unusable stored mapping would divide by zero; that channel keeps the defaults.
    if (!SkalierungBrauchbar(gKonfig1)) gKonfig1 = kStandard;
    if (!SkalierungBrauchbar(gKonfig2)) gKonfig2 = kStandard;
    KonfigStrukturZuGui();
    // The numbers in the controls are volts now: convert them from the identity.
    KonfigstrukturAufStandardwerte();
    NeueSkalierungSetzen();
    return 0;
}

int WriteIni() {
    IniPtr ini = MakeIni(true);
    if (!ini) return kFehlerIniSchreiben;
    const bool gefuellt = RingSchreiben(ini.get(), kSchluesselAdresse, PANEL_ADRESSE) &&
                          RingSchreiben(ini.get(), kSchluesselComport, PANEL_PORT) &&
                          KanalSchreiben(ini.get(), kKanal1, gKonfig1) &&
                          KanalSchreiben(ini.get(), kKanal2, gKonfig2) &&
                          ZoomSchreiben(ini.get(), kSchluesselZoomMin, PANEL_GRAPHZOOMMIN) &&
                          ZoomSchreiben(ini.get(), kSchluesselZoomMax, PANEL_GRAPHZOOMMAX);
    // A half-filled object would drop settings: keep the old file instead.
    if (!gefuellt || Ini_WriteToFile(ini.get(), kIniDateiname) < 0) return kFehlerIniSchreiben;
    return 0;
}
