// One controller channel of a module and the process it drives.
//
// Operating mode 1 takes the setpoint from `setpoint`, mode 2 from the analog
// input, both through the ramp (rampRate V/s, 0 = no limit) into the working
// setpoint, which a PID controller (derivative on the actual value, output
// limited to minOutput..maxOutput, integral held while that would push the
// output further into a limit) compares with the actual value. Mode 3 drives
// the process with manualOutput directly. With the zero-output option on, the
// output is 0 while the actual value is below 5 mV. The process is first order,
// gain 1, time constant 2 s, its output kept within 0..10 V.
#pragma once

namespace zan1sim {

// All in the module's units (volts, volts per second); the mode and the option
// are kept as doubles because that is how they are read and written.
struct ChannelSettings {
    double p = 1.0;
    double i = 0.5;
    double d = 0.0;
    double setpoint = 2.5;
    double powerOnSetpoint = 2.5;
    double maxOutput = 10.0;
    double minOutput = 0.0;
    double mode = 1;
    double rampRate = 1.0;
    double manualOutput = 0.0;
    double zeroOutputOption = 0;
};

class ControlChannel {
  public:
    static constexpr double kTimeConstant = 2.0;     // s
    static constexpr double kZeroThreshold = 0.005;  // V

    // Advances by dt seconds; analogSetpoint is the analog input in volts.
    void step(const ChannelSettings& settings, double analogSetpoint, double dt);

    double actualValue() const { return m_actual; }
    double output() const { return m_output; }
    double workingSetpoint() const { return m_working; }
    bool rampRunning() const { return m_rampRunning; }
    bool outputLimited() const { return m_outputLimited; }
    bool outputHeld() const { return m_outputHeld; }

  private:
    double m_actual = 0.0;
    double m_previousActual = 0.0;
    double m_output = 0.0;
    double m_working = 0.0;  // ramps up from 0 at power-on
    double m_integral = 0.0;
    bool m_rampRunning = false;
    bool m_outputLimited = false;
    bool m_outputHeld = false;
};

}  // namespace zan1sim
