#include "sim/module.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

namespace zan1sim {
namespace {

struct Field {
    std::string_view role;  // the parameter name without its channel digit
    double ChannelSettings::*member;
};

constexpr std::array<Field, 11> kFields{{
    {"P", &ChannelSettings::p},
    {"I", &ChannelSettings::i},
    {"D", &ChannelSettings::d},
    {"soll", &ChannelSettings::setpoint},
    {"anfangssoll", &ChannelSettings::powerOnSetpoint},
    {"max", &ChannelSettings::maxOutput},
    {"min", &ChannelSettings::minOutput},
    {"betriebsart", &ChannelSettings::mode},
    {"anstiegszeit", &ChannelSettings::rampRate},
    {"stellgroesse", &ChannelSettings::manualOutput},
    {"modus", &ChannelSettings::zeroOutputOption},
}};

// Every parameter name ends in its channel digit.
int ChannelOf(const vekzan1::Parameter& parameter) {
    return parameter.name.back() == '2' ? 2 : 1;
}

std::string_view RoleOf(const vekzan1::Parameter& parameter) {
    return parameter.name.substr(0, parameter.name.size() - 1);
}

double ChannelSettings::*MemberFor(const vekzan1::Parameter& parameter) {
    for (const Field& field : kFields) {
        if (field.role == RoleOf(parameter)) {
            return field.member;
        }
    }
    return nullptr;
}

}  // namespace

Module::Module(std::string identification, SimTime powerOn)
    : m_identification(std::move(identification)), m_origin(powerOn), m_clock(powerOn) {
    m_settings[1].setpoint = m_settings[1].powerOnSetpoint = 5.0;
}

void Module::advanceTo(SimTime now) {
    constexpr double dt = std::chrono::duration<double>(kStep).count();
    while (m_clock + kStep <= now) {
        const double t = std::chrono::duration<double>(m_clock - m_origin).count();
        const double phase = 2.0 * std::numbers::pi * t / kAnalogPeriod;
        // The two analog inputs run a quarter period apart, so the channels differ.
        m_channels[0].step(m_settings[0], 5.0 + 2.0 * std::sin(phase), dt);
        m_channels[1].step(m_settings[1], 5.0 + 2.0 * std::cos(phase), dt);
        m_clock += kStep;
    }
}

double Module::read(const vekzan1::Parameter& parameter) const {
    const int channel = ChannelOf(parameter);
    const ChannelSettings& settings = m_settings[channel - 1];
    const std::string_view role = RoleOf(parameter);
    if (role == "istwert") {
        return m_channels[channel - 1].actualValue();
    }
    if (role == "stellgroesse" && settings.mode != 3) {
        return m_channels[channel - 1].output();
    }
    const auto member = MemberFor(parameter);
    return member ? settings.*member : 0.0;
}

bool Module::write(const vekzan1::Parameter& parameter, double value) {
    const auto member = MemberFor(parameter);
    if (!member || !vekzan1::InRange(parameter, value)) {
        return false;
    }
    m_settings[ChannelOf(parameter) - 1].*member = value;
    return true;
}

int Module::status() const {
    int status = 0;
    for (int c = 0; c < 2; ++c) {
        const ControlChannel& channel = m_channels[c];
        const int bits = (channel.rampRunning() ? 1 : 0) | (channel.outputLimited() ? 2 : 0) |
                         (channel.outputHeld() ? 4 : 0);
        status |= bits << (4 * c);
    }
    return status;
}

}  // namespace zan1sim
