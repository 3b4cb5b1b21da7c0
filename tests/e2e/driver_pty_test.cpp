// The driver against the simulated bus on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <string>

#include "driver/vekzan1.h"
#include "tests/e2e/simfixture.h"

namespace {

using zan1sim::Fault;

class DriverOnPty : public SimBus {
  protected:
    void SetUp() override {
        startBus({{{1, ""}, {2, "VEK-ZAN1B-ZWEI"}, {3, "FREMD-GERAET", true}}, {}, false});
        if (IsSkipped()) return;
        ASSERT_EQ(VEKZAN1_Open(kPort), 0);
        // Short, so that the silent cases stay quick.
        ASSERT_EQ(VEKZAN1_Timeout(kPort, 0.2), 0);
    }
    void TearDown() override {
        VEKZAN1_Close(kPort);
        SimBus::TearDown();
    }
};

TEST_F(DriverOnPty, IdentifiesModulesAndForeignDevices) {
    char text[32];
    ASSERT_EQ(VEKZAN1_IDLesen(kPort, 1, text), 0);
    EXPECT_STREQ(text, "VEK-ZAN1B-SIM");
    ASSERT_EQ(VEKZAN1_IDLesen(kPort, 2, text), 0);
    EXPECT_STREQ(text, "VEK-ZAN1B-ZWEI");
    ASSERT_EQ(VEKZAN1_IDLesen(kPort, 3, text), 0);
    EXPECT_STREQ(text, "FREMD-GERAET");
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 4, text), -403011);
    double value = 0;
    EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, 3, "P1", &value), -403052);
    int status = -1;
    ASSERT_EQ(VEKZAN1_StatusLesen(kPort, 1, &status), 0);
    EXPECT_GE(status, 0);
    EXPECT_LE(status, 255);
}

TEST_F(DriverOnPty, BroadcastReachesEveryModuleWithoutAnswer) {
    ASSERT_EQ(VEKZAN1_ParameterSchreiben(kPort, 9, "soll2", 7.125), 0);
    // The next transaction's answer proves the write was taken before it.
    double read = 0;
    ASSERT_EQ(VEKZAN1_ParameterLesen(kPort, 2, "soll2", &read), 0);
    EXPECT_EQ(read, 7.125);
    EXPECT_EQ(sim().parameter(1, "soll2"), 7.125);
    const auto frames = sim().frames();
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[frames.size() - 2], "#9S2W7.125\r");
}

TEST_F(DriverOnPty, RefusedWriteLeavesTheModuleAsItWas) {
    sim().setFault(1, Fault::Nak);
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, "soll1", 1), -402040);
    sim().setFault(1, Fault::None);
    double read = 0;
    ASSERT_EQ(VEKZAN1_ParameterLesen(kPort, 1, "soll1", &read), 0);
    EXPECT_NE(read, 1);  // the refused write had no effect
}

struct FaultCase {
    const char* name;
    Fault fault;
    int read;
    int write;
    int identification;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class FaultOnPty : public DriverOnPty, public testing::WithParamInterface<FaultCase> {};

TEST_P(FaultOnPty, GivesTheDriversCode) {
    sim().setFault(1, GetParam().fault);
    double value = 0;
    char text[32];
    EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, 1, "istwert1", &value), GetParam().read);
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, "soll1", 4), GetParam().write);
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 1, text), GetParam().identification);
    // A late or damaged answer must not spoil the next transaction.
    sim().setFault(1, Fault::None);
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 1, text), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, FaultOnPty,
    testing::Values(FaultCase{"Silent", Fault::Silent, -403052, -403042, -403011},
                    FaultCase{"Nak", Fault::Nak, -402050, -402040, -402009},
                    FaultCase{"Can", Fault::Can, -405051, -405041, -405010},
                    FaultCase{"Garbled", Fault::Garbled, -404055, -404043, -404014},
                    FaultCase{"Cut", Fault::Cut, -404054, -403042, -404013},
                    FaultCase{"HighBit", Fault::HighBit, -403052, -403042, -403011}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
