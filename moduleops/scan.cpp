// Bus scan and identification read.
#include <array>
#include <string>
#include <string_view>

#include "driver/vekzan1.h"
#include "moduleops/portsession.h"

namespace {

constexpr std::string_view kModulPraefix = "VEK-ZAN1";
constexpr int kErsteAdresse = 1;
constexpr int kLetzteAdresse = 8;
// The driver needs at least 27 characters.
using IdPuffer = std::array<char, 32>;

void ZeigeSuche(int address) {
    const std::string text = "Suche nach Gerät " + std::to_string(address);
    SetCtrlVal(panelHandle, PANEL_TEXT, text);
}

void ZeigeErgebnis(int led, int result, const IdPuffer& id) {
    if (result != 0) {
        SetCtrlVal(panelHandle, led, 0);
        return;
    }
    const std::string_view text(id.data());
    const bool unserModul = text.starts_with(kModulPraefix);
    SetCtrlAttribute(panelHandle, led, ATTR_ON_COLOR, unserModul ? kRgbGreen : kRgbRed);
    SetCtrlVal(panelHandle, led, 1);
    if (unserModul) SetCtrlVal(panelHandle, PANEL_IDSTRING, id.data());
}

}  // namespace

int ZAN1Scann() {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    SetCtrlVal(panelHandle, PANEL_IDSTRING, "");
    for (int address = kErsteAdresse; address <= kLetzteAdresse; ++address) {
        // Shown before the probe: an empty address keeps the line busy for the timeout.
        ZeigeSuche(address);
        IdPuffer id{};
        const int result = VEKZAN1_IDLesen(session.port(), address, id.data());
        ZeigeErgebnis(PANEL_LED1 + address - kErsteAdresse, result, id);
    }
    SetCtrlVal(panelHandle, PANEL_TEXT, "");
    return 0;
}

int IDLesen() {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    SetCtrlVal(panelHandle, PANEL_IDSTRING, "");
    IdPuffer id{};
    const int result = VEKZAN1_IDLesen(session.port(), zan1com::BusAdresse(), id.data());
    if (result != 0) return result;
    SetCtrlVal(panelHandle, PANEL_IDSTRING, id.data());
    return 0;
}
