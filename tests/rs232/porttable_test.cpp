// Port numbers, misuse and the device map, without any hardware.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "tests/support/scriptedport.h"
#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

int OpenLine(int port) {
    return OpenComConfig(port, "", 9600, rs232::kParityOdd, 7, 1, 512, 512);
}

TEST(PortTable, MisuseFailsWithoutCrashing) {
    testsupport::ScriptedPorts ports;
    for (int port : {-1, 0, 9, 1000}) {
        EXPECT_LT(OpenLine(port), 0) << port;
        EXPECT_LT(CloseCom(port), 0);
        EXPECT_LT(SetComTime(port, 1.0), 0);
        EXPECT_LT(FlushInQ(port), 0);
        EXPECT_LT(FlushOutQ(port), 0);
        EXPECT_LT(ComWrt(port, "x", 1), 0);
        EXPECT_LT(GetOutQLen(port), 0);
        EXPECT_LT(ComRdByte(port), 0);
        EXPECT_LT(GetComTime(port), 0);
    }
    EXPECT_LT(CloseCom(4), 0);  // never opened
    EXPECT_LT(ComWrt(4, "x", 1), 0);
    ASSERT_EQ(OpenLine(4), 0);
    EXPECT_LT(OpenLine(4), 0);  // already open
    EXPECT_LT(ComWrt(4, nullptr, 3), 0);
    EXPECT_LT(ComWrt(4, "x", -1), 0);
    EXPECT_EQ(ports.script().opens, 1);
    EXPECT_EQ(CloseCom(4), 0);
    EXPECT_LT(CloseCom(4), 0);
    EXPECT_EQ(OpenLine(4), 0);  // the slot is free again
}

TEST(PortTable, TimeoutIsKeptPerPort) {
    testsupport::ScriptedPorts ports;
    ASSERT_EQ(OpenLine(1), 0);
    ASSERT_EQ(OpenLine(2), 0);
    EXPECT_EQ(SetComTime(2, 0.25), 0);
    EXPECT_DOUBLE_EQ(GetComTime(2), 0.25);
    EXPECT_DOUBLE_EQ(GetComTime(1), rs232::kDefaultTimeoutSeconds);
    ports.script().failTimeout = true;
    EXPECT_LT(SetComTime(2, 3.0), 0);
    EXPECT_DOUBLE_EQ(GetComTime(2), 0.25);
}

class PortMap : public testing::Test {
  protected:
    void TearDown() override {
        for (int port = 1; port <= 8; ++port)
            rs232::SetPortDevice(port, "");
    }
    void writeMap(const std::string& text) { std::ofstream(rs232::kPortMapFile) << text; }

    testsupport::TemporaryCurrentDirectory m_directory;
};

TEST_F(PortMap, DefaultsToTheSerialDevices) {
    EXPECT_EQ(rs232::DeviceForPort(1), "/dev/ttyS0");
    EXPECT_EQ(rs232::DeviceForPort(8), "/dev/ttyS7");
    EXPECT_EQ(rs232::DeviceForPort(9), "");
}

TEST_F(PortMap, FileEntriesAndProcessSettingsTakePrecedence) {
    writeMap("; lab bench\r\n[ports]\r\n  COM3 = /dev/ttyUSB0\r\ncom4=\"/tmp/with blank\"\r\n");
    EXPECT_EQ(rs232::DeviceForPort(3), "/dev/ttyUSB0");
    EXPECT_EQ(rs232::DeviceForPort(4), "/tmp/with blank");
    EXPECT_EQ(rs232::DeviceForPort(5), "/dev/ttyS4");
    rs232::SetPortDevice(3, "/dev/pts/9");
    EXPECT_EQ(rs232::DeviceForPort(3), "/dev/pts/9");
    rs232::SetPortDevice(3, "");
    EXPECT_EQ(rs232::DeviceForPort(3), "/dev/ttyUSB0");
}

TEST_F(PortMap, OpenUsesTheMappedDevice) {
    testsupport::ScriptedPorts ports;
    writeMap("[Ports]\ncom2 = /dev/ttyACM1\n");
    ASSERT_EQ(OpenLine(2), 0);
    EXPECT_EQ(ports.script().device, "/dev/ttyACM1");
    ASSERT_EQ(OpenComConfig(3, "/dev/explicit", 9600, 1, 7, 1, 512, 512), 0);
    EXPECT_EQ(ports.script().device, "/dev/explicit");
}

}  // namespace
