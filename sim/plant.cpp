#include "sim/plant.h"

#include <algorithm>
#include <cmath>

namespace zan1sim {

void ControlChannel::Step(const ChannelSettings& s, double analogSetpoint, double dt) {
    // A maximum below the minimum pins the output at the minimum.
    const double low = s.minOutput;
    const double high = std::max(s.minOutput, s.maxOutput);
    outputHeld_ = s.zeroOutputOption >= 0.5 && actual_ < kZeroThreshold;

    double u = 0.0;
    if (s.mode == 3) {
        u = s.manualOutput;
        // Track, so that switching back to closed loop starts from here without a jump.
        working_ = actual_;
        integral_ = std::clamp(u, low, high);
        rampRunning_ = false;
        outputLimited_ = false;
    } else {
        const double target = s.mode == 2 ? analogSetpoint : s.setpoint;
        if (s.rampRate > 0) {
            const double step = s.rampRate * dt;
            working_ += std::clamp(target - working_, -step, step);
        } else {
            working_ = target;
        }
        rampRunning_ = working_ != target;

        const double error = working_ - actual_;
        const double derivative = -s.d * (actual_ - previousActual_) / dt;
        const double candidate = integral_ + s.i * error * dt;
        const double unlimited = s.p * error + candidate + derivative;
        u = std::clamp(unlimited, low, high);
        outputLimited_ = unlimited > high || unlimited < low;
        const double push = s.i * error;
        const bool windsUp = (unlimited > high && push > 0) || (unlimited < low && push < 0);
        if (!windsUp && !outputHeld_) {
            integral_ = std::clamp(candidate, low, high);
        }
    }
    if (outputHeld_) {
        u = 0.0;
    }
    output_ = u;

    previousActual_ = actual_;
    actual_ += (u - actual_) * (1.0 - std::exp(-dt / kTimeConstant));
    actual_ = std::clamp(actual_, 0.0, 10.0);
}

}  // namespace zan1sim
