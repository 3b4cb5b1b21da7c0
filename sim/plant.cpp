#include "sim/plant.h"

#include <algorithm>
#include <cmath>

namespace zan1sim {

void ControlChannel::step(const ChannelSettings& s, double analogSetpoint, double dt) {
    // A maximum below the minimum pins the output at the minimum.
    const double low = s.minOutput;
    const double high = std::max(s.minOutput, s.maxOutput);
    m_outputHeld = s.zeroOutputOption >= 0.5 && m_actual < kZeroThreshold;

    double u = 0.0;
    if (s.mode == 3) {
        u = s.manualOutput;
        // Track, so that switching back to closed loop starts from here without a jump.
        m_working = m_actual;
        m_integral = std::clamp(u, low, high);
        m_rampRunning = false;
        m_outputLimited = false;
    } else {
        const double target = s.mode == 2 ? analogSetpoint : s.setpoint;
        if (s.rampRate > 0) {
            const double step = s.rampRate * dt;
            m_working += std::clamp(target - m_working, -step, step);
        } else {
            m_working = target;
        }
        m_rampRunning = m_working != target;

        const double error = m_working - m_actual;
        const double derivative = -s.d * (m_actual - m_previousActual) / dt;
        const double candidate = m_integral + s.i * error * dt;
        const double unlimited = s.p * error + candidate + derivative;
        u = std::clamp(unlimited, low, high);
        m_outputLimited = unlimited > high || unlimited < low;
        const double push = s.i * error;
        const bool windsUp = (unlimited > high && push > 0) || (unlimited < low && push < 0);
        if (!windsUp && !m_outputHeld) {
            m_integral = std::clamp(candidate, low, high);
        }
    }
    if (m_outputHeld) {
        u = 0.0;
    }
    m_output = u;

    m_previousActual = m_actual;
    m_actual += (u - m_actual) * (1.0 - std::exp(-dt / kTimeConstant));
    m_actual = std::clamp(m_actual, 0.0, 10.0);
}

}  // namespace zan1sim
