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
    void Step(const ChannelSettings& settings, double analogSetpoint, double dt);

    double actualValue() const { return actual_; }
    double output() const { return output_; }
    double workingSetpoint() const { return working_; }
    bool rampRunning() const { return rampRunning_; }
    bool outputLimited() const { return outputLimited_; }
    bool outputHeld() const { return outputHeld_; }

  private:
    double actual_ = 0.0;
    double previousActual_ = 0.0;
    double output_ = 0.0;
    double working_ = 0.0;  // ramps up from 0 at power-on
    double integral_ = 0.0;
    bool rampRunning_ = false;
    bool outputLimited_ = false;
    bool outputHeld_ = false;
};

}  // namespace zan1sim
