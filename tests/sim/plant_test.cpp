#include "sim/plant.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "driver/parametermap.h"
#include "sim/module.h"

namespace zan1sim {
namespace {

using namespace std::chrono_literals;

constexpr double kDt = 0.01;

void Drive(ControlChannel& channel, const ChannelSettings& settings, double seconds,
           double analog = 5.0) {
    for (int k = 0; k < static_cast<int>(std::lround(seconds / kDt)); ++k) {
        channel.Step(settings, analog, kDt);
    }
}

ChannelSettings Setpoint(double setpoint, double rampRate = 0.0) {
    ChannelSettings s;
    s.setpoint = setpoint;
    s.rampRate = rampRate;
    return s;
}

struct RampCase {
    double rate;
    double seconds;
    double working;
};

void PrintTo(const RampCase& c, std::ostream* os) {
    *os << c.rate << " V/s";
}

class Ramp : public testing::TestWithParam<RampCase> {};

TEST_P(Ramp, WorkingSetpointRisesNoFasterThanTheRate) {
    const RampCase& r = GetParam();
    ControlChannel channel;
    Drive(channel, Setpoint(9.0, r.rate), r.seconds);
    EXPECT_NEAR(channel.workingSetpoint(), r.working, 1e-9);
    EXPECT_EQ(channel.rampRunning(), r.working < 9.0);
    EXPECT_LT(channel.actualValue(), r.working);
}

INSTANTIATE_TEST_SUITE_P(Rates, Ramp,
                         testing::Values(RampCase{0.5, 4.0, 2.0}, RampCase{2.0, 1.5, 3.0},
                                         RampCase{1000.0, 0.01, 9.0}, RampCase{0.0, 0.01, 9.0}));

struct Tuning {
    double p, i, d;
};

void PrintTo(const Tuning& t, std::ostream* os) {
    *os << t.p << '/' << t.i << '/' << t.d;
}

class Pid : public testing::TestWithParam<Tuning> {};

TEST_P(Pid, SettlesNearTheSetpointWithinAFewTimeConstants) {
    ChannelSettings s = Setpoint(6.0);
    s.p = GetParam().p;
    s.i = GetParam().i;
    s.d = GetParam().d;
    ControlChannel channel;
    Drive(channel, s, 5 * ControlChannel::kTimeConstant);
    EXPECT_NEAR(channel.actualValue(), 6.0, 0.06);
    Drive(channel, s, 10 * ControlChannel::kTimeConstant);
    EXPECT_NEAR(channel.actualValue(), 6.0, 0.001);
    EXPECT_NEAR(channel.output(), 6.0, 0.001);  // gain 1: output equals the actual value
    EXPECT_FALSE(channel.outputLimited());
}

INSTANTIATE_TEST_SUITE_P(Tunings, Pid,
                         testing::Values(Tuning{1.0, 0.5, 0.0}, Tuning{2.0, 1.0, 0.0},
                                         Tuning{3.0, 1.5, 0.2}));

TEST(Limits, ClampTheOutputAndSoTheActualValue) {
    ChannelSettings high = Setpoint(8.0);
    high.maxOutput = 3.0;
    ControlChannel channel;
    Drive(channel, high, 30.0);
    EXPECT_DOUBLE_EQ(channel.output(), 3.0);
    EXPECT_NEAR(channel.actualValue(), 3.0, 0.001);
    EXPECT_TRUE(channel.outputLimited());

    ChannelSettings low = Setpoint(1.0);
    low.minOutput = 4.0;
    Drive(channel, low, 30.0);
    EXPECT_DOUBLE_EQ(channel.output(), 4.0);
    EXPECT_NEAR(channel.actualValue(), 4.0, 0.001);
    EXPECT_TRUE(channel.outputLimited());
}

TEST(Limits, NoWindUpWhileTheOutputIsLimited) {
    ChannelSettings s = Setpoint(8.0);
    s.maxOutput = 3.0;
    ControlChannel channel;
    Drive(channel, s, 120.0);
    s = Setpoint(2.0);
    // A wound-up integral would keep the output at its limit for minutes.
    Drive(channel, s, ControlChannel::kTimeConstant);
    EXPECT_LT(channel.actualValue(), 2.5);
    Drive(channel, s, 15 * ControlChannel::kTimeConstant);
    EXPECT_NEAR(channel.actualValue(), 2.0, 0.01);
}

TEST(ManualMode, ProcessFollowsStellgroesseWithItsTimeConstant) {
    ChannelSettings s;
    s.mode = 3;
    s.manualOutput = 6.0;
    s.setpoint = 1.0;
    ControlChannel channel;
    Drive(channel, s, ControlChannel::kTimeConstant);
    EXPECT_NEAR(channel.actualValue(), 6.0 * (1 - std::exp(-1.0)), 0.01);
    EXPECT_DOUBLE_EQ(channel.output(), 6.0);
    Drive(channel, s, 10 * ControlChannel::kTimeConstant);
    EXPECT_NEAR(channel.actualValue(), 6.0, 0.001);
}

TEST(ZeroOutputOption, HoldsTheOutputAtZeroWhileTheActualValueIsZero) {
    for (double mode : {1.0, 2.0, 3.0}) {
        ChannelSettings s = Setpoint(5.0);
        s.mode = mode;
        s.manualOutput = 5.0;
        s.zeroOutputOption = 1;
        ControlChannel channel;
        Drive(channel, s, 10.0);
        EXPECT_EQ(channel.actualValue(), 0.0) << "mode " << mode;
        EXPECT_EQ(channel.output(), 0.0) << "mode " << mode;
        EXPECT_TRUE(channel.outputHeld()) << "mode " << mode;
    }
}

TEST(AnalogMode, SetpointFollowsTheAnalogInput) {
    ChannelSettings s = Setpoint(9.0, 0.0);
    s.mode = 2;
    ControlChannel channel;
    Drive(channel, s, 0.01, 3.5);
    EXPECT_DOUBLE_EQ(channel.workingSetpoint(), 3.5);
}

// The module ties parameters, plant and clock together.
class ModulePlant : public testing::Test {
  protected:
    const SimTime powerOn_{};
    Module module_{"VEK-ZAN1B-SIM", powerOn_};

    double Read(const char* name) { return module_.Read(*vekzan1::FindParameter(name)); }
    bool Write(const char* name, double v) {
        return module_.Write(*vekzan1::FindParameter(name), v);
    }
};

TEST_F(ModulePlant, PowersOnRampingToTheSetpointsAndSettles) {
    module_.AdvanceTo(powerOn_ + 1s);
    EXPECT_EQ(module_.Status(), 0x11);  // both ramps running
    EXPECT_NEAR(module_.channel(1).workingSetpoint(), 1.0, 1e-9);
    module_.AdvanceTo(powerOn_ + 30s);
    EXPECT_EQ(module_.Status(), 0x00);
    EXPECT_NEAR(Read("istwert1"), 2.5, 0.01);
    EXPECT_NEAR(Read("istwert2"), 5.0, 0.01);
}

TEST_F(ModulePlant, StellgroesseReadsTheControllerOutputOutsideManualMode) {
    ASSERT_TRUE(Write("stellgroesse1", 7.0));
    module_.AdvanceTo(powerOn_ + 1s);
    EXPECT_EQ(Read("stellgroesse1"), module_.channel(1).output());
    EXPECT_NE(Read("stellgroesse1"), 7.0);
    ASSERT_TRUE(Write("betriebsart1", 3));
    EXPECT_EQ(Read("stellgroesse1"), 7.0);
    module_.AdvanceTo(powerOn_ + 60s);
    EXPECT_NEAR(Read("istwert1"), 7.0, 0.001);
}

TEST_F(ModulePlant, StatusShowsLimitAndHeldOutput) {
    ASSERT_TRUE(Write("modus1", 1));
    ASSERT_TRUE(Write("max2", 1.0));
    module_.AdvanceTo(powerOn_ + 20s);
    EXPECT_EQ(module_.Status(), 0x04 | 0x20);
}

}  // namespace
}  // namespace zan1sim
