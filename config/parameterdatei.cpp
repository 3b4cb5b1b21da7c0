#include "config/parameterdatei.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>

#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/atomicfile.h"
#include "platform/fileio.h"
#include "platform/uniquefd.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.zan";

void LeseRegler(int seite, ReglerParameter* r) {
    GetCtrlVal(seite, TABPANEL_PANTEIL, &r->panteil);
    GetCtrlVal(seite, TABPANEL_IANTEIL, &r->ianteil);
    GetCtrlVal(seite, TABPANEL_DANTEIL, &r->danteil);
    GetCtrlVal(seite, TABPANEL_STELLMIN, &r->stellmin);
    GetCtrlVal(seite, TABPANEL_STELLMAX, &r->stellmax);
    GetCtrlVal(seite, TABPANEL_ANFANGSSOLLWERT_, &r->anfangssollwert);
    GetCtrlVal(seite, TABPANEL_ANSTIEGSZEIT, &r->anstiegszeit);
    GetCtrlVal(seite, TABPANEL_BETRIEBSART, &r->betriebsart);
    int modus = 0;
    GetCtrlVal(seite, TABPANEL_MODUSISTWERTNULL, &modus);
    r->modusistwertnull = modus;
}

void SchreibeRegler(int seite, const ReglerParameter& r) {
    SetCtrlVal(seite, TABPANEL_PANTEIL, r.panteil);
    SetCtrlVal(seite, TABPANEL_IANTEIL, r.ianteil);
    SetCtrlVal(seite, TABPANEL_DANTEIL, r.danteil);
    SetCtrlVal(seite, TABPANEL_STELLMIN, r.stellmin);
    SetCtrlVal(seite, TABPANEL_STELLMAX, r.stellmax);
    SetCtrlVal(seite, TABPANEL_ANFANGSSOLLWERT_, r.anfangssollwert);
    SetCtrlVal(seite, TABPANEL_ANSTIEGSZEIT, r.anstiegszeit);
    SetCtrlVal(seite, TABPANEL_BETRIEBSART, r.betriebsart);
    SetCtrlVal(seite, TABPANEL_MODUSISTWERTNULL, static_cast<int>(r.modusistwertnull));
}

// Up to buffer.size() bytes; fewer only at the end of the file or on an error.
std::size_t Lesen(int fd, std::span<std::byte> puffer) {
    std::size_t gelesen = 0;
    while (gelesen < puffer.size()) {
        const ssize_t n = ::read(fd, puffer.data() + gelesen, puffer.size() - gelesen);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        gelesen += static_cast<std::size_t>(n);
    }
    return gelesen;
}

int Speichern(const std::string& pfad, const Parametersatz& satz) {
    const std::array<std::byte, kParametersatzGroesse> bytes = ParametersatzZuBytes(satz);
    const platform::ReplaceResult ergebnis = platform::ReplaceFile(
        pfad, O_WRONLY, platform::RandomTempName,
        [&bytes](int fd) { return platform::WriteAll(fd, bytes.data(), bytes.size()); });
    if (ergebnis.step == platform::ReplaceStep::kDone) return 0;
    // Everything before the first byte counts as opening the file.
    return ergebnis.step < platform::ReplaceStep::kWrite ? kFehlerParameterdateiSpeichernOeffnen
                                                         : kFehlerParameterdateiSchreiben;
}

}  // namespace

void LeseParameterAusGUI(Parametersatz* satz) {
    LeseRegler(tabpanelRegler1, &satz->regler1);
    LeseRegler(tabpanelRegler2, &satz->regler2);
    GetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, &satz->zoommin);
    GetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, &satz->zoommax);
}

void SchreibeParameterInGUI(const Parametersatz& satz) {
    SchreibeRegler(tabpanelRegler1, satz.regler1);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, satz.zoommin);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, satz.zoommax);
    SchreibeRegler(tabpanelRegler2, satz.regler2);
}

int SchreibeParameterInDatei() {
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", "Speichern", VAL_SAVE_BUTTON, 0, 1, 1, 1, &pfad) ==
        VAL_NO_FILE_SELECTED) {
        return 0;
    }
    Parametersatz satz{};
    LeseParameterAusGUI(&satz);
    satz.konfig1 = gKonfig1;
    satz.konfig2 = gKonfig2;
    return Speichern(pfad, satz);
}

int LeseParameterAusDatei() {
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", "Laden", VAL_LOAD_BUTTON, 0, 1, 1, 0, &pfad) ==
        VAL_NO_FILE_SELECTED) {
        return 0;
    }
    std::array<std::byte, kParametersatzGroesse> bytes{};
    std::size_t gelesen = 0;
    {
        platform::UniqueFd datei(platform::OpenFile(pfad, O_RDONLY));
        if (datei.get() < 0) return kFehlerParameterdateiLadenOeffnen;
        // Bytes beyond the record are never read.
        gelesen = Lesen(datei.get(), bytes);
    }
    Parametersatz satz{};
    const int code = ParametersatzAusBytes(std::span(bytes.data(), gelesen), &satz);
    if (code != 0) return code;

    gKonfig1 = satz.konfig1;
    gKonfig2 = satz.konfig2;
    KonfigStrukturZuGui();
    // The records in force are the loaded ones already, so the controls the
    // file does not cover keep their numbers.
    NeueSkalierungSetzen();
    SchreibeParameterInGUI(satz);
    NeueSkalierungSetzen();
    return 0;
}
