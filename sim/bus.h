// The devices on the simulated line: one complete command frame in, the bytes
// the addressed device puts on the line out. No I/O and no clock of its own;
// the caller passes the instant the frame counts as received.
//
// Frames to an address without a device get no answer, and neither do frames to
// address 9, whose parameter writes every ZAN-1 module applies. A ZAN-1 module
// answers identification, status and parameter reads and parameter writes, and
// NAKs everything else: unknown codes, writes to read-only objects, malformed
// value texts, values outside the write range, unknown operations. A foreign
// device answers the identification request only. A device's fault shapes
// whatever it would answer (see fault.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/fault.h"
#include "sim/module.h"
#include "sim/options.h"
#include "sim/simtime.h"

namespace zan1sim {

class Bus {
  public:
    // Expects options that passed CheckOptions.
    Bus(const Options& options, SimTime powerOn);

    // `frame` runs from '#' to CR inclusive.
    std::string handle(std::string_view frame, SimTime now);

    void setFault(int address, Fault fault);

    // A module's parameter as a read at `now` would return it (the answer's
    // digits, not more); nullopt for no module or an unknown name.
    std::optional<double> parameter(int address, std::string_view name, SimTime now);

    // The ZAN-1 module at an address, or nullptr.
    Module* FindModule(int address);

  private:
    struct Station {
        int address;
        std::string identification;
        std::optional<Module> module;  // empty for a foreign device
        Fault fault = Fault::None;
    };

    Station* Find(int address);
    std::string moduleAnswer(Station& station, std::string_view command, SimTime now);
    static bool applyWrite(Module& module, std::string_view command);

    std::vector<Station> m_stations;
};

}  // namespace zan1sim
