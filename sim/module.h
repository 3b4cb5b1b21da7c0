// A simulated ZAN-1 module: the 24 parameters of both channels and their plants.
//
// Power-on values per channel: P 1.0, I 0.5, D 0, soll = anfangssoll (2.5 V on
// channel 1, 5.0 V on channel 2), max 10, min 0, betriebsart 1, anstiegszeit
// 1.0 V/s, stellgroesse 0, modus 0; the actual value and the working setpoint
// start at 0, so the module ramps up to its setpoint after power-on.
//
// Status byte: bits 0..2 for channel 1, bits 4..6 for channel 2, bits 3 and 7 are 0.
//   bit 0/4  the setpoint ramp is running (working setpoint not yet at its target)
//   bit 1/5  the controller output is limited to min or max
//   bit 2/6  the output is held at 0 by the zero-output option
#pragma once

#include <array>
#include <chrono>
#include <string>

#include "driver/parametermap.h"
#include "sim/plant.h"
#include "sim/simtime.h"

namespace zan1sim {

class Module {
  public:
    static constexpr std::chrono::milliseconds kStep{10};
    static constexpr double kAnalogPeriod = 30.0;  // s, analog input 5 V +- 2 V

    Module(std::string identification, SimTime powerOn);

    const std::string& identification() const { return m_identification; }

    // Runs the plants in fixed steps up to `now`; earlier instants change nothing.
    void advanceTo(SimTime now);

    // The value a read returns: the stored parameter, the actual value, and for
    // stellgroesse in modes 1 and 2 the controller's current output.
    double read(const vekzan1::Parameter& parameter) const;

    // Stores a written value; false (and nothing changes) for a read-only
    // parameter or a value outside its write range.
    bool write(const vekzan1::Parameter& parameter, double value);

    int status() const;

    // channel 1 or 2
    const ControlChannel& channel(int channel) const { return m_channels[channel - 1]; }

  private:
    std::string m_identification;
    SimTime m_origin;
    SimTime m_clock;
    std::array<ChannelSettings, 2> m_settings;
    std::array<ControlChannel, 2> m_channels;
};

}  // namespace zan1sim
