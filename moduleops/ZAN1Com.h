// The operations behind the operator's actions on the module. Each works
// through a Leitung by the open-on-demand rule (leitung.h), takes what it
// needs as arguments (port, bus address, values) and returns what it read
// with its Result: 0, or the first failing step's code and reason unchanged.
// Values are in the module's units (volts, volts per second); converting them
// to a channel's user unit is the caller's business. None of them knows a
// widget, so the window, zan1ctl and the bridge share them.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

#include "config/parametersatz.h"
#include "moduleops/leitung.h"

// What a scan reports while it runs: per address 1..8 Suche before the probe
// and Ergebnis after it (result 0 with the identification text, or the
// probe's failure).
struct ScanMeldung {
    enum class Art { Suche, Ergebnis };
    Art art = Art::Suche;
    int adresse = 0;
    Result result;
    std::string id;
};
using ScanBeobachter = std::function<void(const ScanMeldung&)>;

// Probes bus addresses 1..8. Only the open's failure is returned; a stop
// asked for ends the scan after the address in flight.
Result ZAN1Scann(Leitung& leitung, int port, std::stop_token stop, const ScanBeobachter& melden);

// An identification text starting with this names a module of this kind.
inline constexpr const char* kModulPraefix = "VEK-ZAN1";

struct Identifikation {
    Result result;
    bool gelesen = false;  // the port was there and the module was asked
    std::string text;      // empty unless result is 0
};
Identifikation IDLesen(Leitung& leitung, const Ziel& ziel);

// Send channel 1's or 2's setpoint or manipulated value; another channel
// number sends nothing.
Result SollwertSchreiben(Leitung& leitung, const Ziel& ziel, int kanal, double volt);
Result StellwertSchreiben(Leitung& leitung, const Ziel& ziel, int kanal, double volt);
// Reads both actual values in volts. A failed first read changes neither
// variable, a failed second one only the first.
Result IstwerteLesen(Leitung& leitung, const Ziel& ziel, double* volt1, double* volt2);

// What a channel works with: in mode 1 ("Digitaler Sollwert") its setpoint,
// in mode 3 ("Stellbetrieb") its manipulated value, in mode 2 neither.
struct Arbeitswert {
    std::optional<double> sollwert;
    std::optional<double> stellwert;
};
// Reads the mode and by it the setpoint or the manipulated value of channel 1,
// then of channel 2. A channel read before a failure keeps its values.
Result ArbeitswerteLesen(Leitung& leitung, const Ziel& ziel, std::array<Arbeitswert, 2>* werte);

// The nine controller parameters of both channels as the module holds them
// (ReglerParameter with the power-on setpoint and the ramp in volts; the
// switch read as a real is rounded into 0..1). begonnen is called once the
// port is open, before the first transfer.
// Reads channel 1, then channel 2; a channel is given out only when all nine
// of its parameters arrived.
Result ParametersatzLesen(Leitung& leitung, const Ziel& ziel, const std::function<void()>& begonnen,
                          std::array<std::optional<ReglerParameter>, 2>* gelesen);
// Writes channel 1, then channel 2; the first refusal ends the transfer.
Result ParametersatzSchreiben(Leitung& leitung, const Ziel& ziel,
                              const std::array<ReglerParameter, 2>& regler,
                              const std::function<void()>& begonnen);

// A module parameter's name: its stem and the channel digit ("soll" 2 → "soll2").
std::string Parametername(const char* stamm, int kanal);
