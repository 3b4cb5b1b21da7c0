// Port numbers, misuse and the device map, without any hardware.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "tests/support/scriptedport.h"
#include "tests/support/tempdir.h"

namespace {

int OpenLine(int port, const char* device = "") {
    return OpenComConfig(port, device, 9600, rs232::kParityOdd, 7, 1, 512, 512);
}

TEST(PortTable, RefusesMisuseFreesASlotOnCloseAndKeepsEachTimeout) {
    testsupport::ScriptedPorts ports;
    for (int port : {0, 9, 4}) {  // 4 is a valid number but not open
        EXPECT_TRUE((port == 4 || OpenLine(port) < 0) && CloseCom(port) < 0 &&
                    SetComTime(port, 1.0) < 0 && GetComTime(port) < 0 && FlushInQ(port) < 0 &&
                    FlushOutQ(port) < 0 && ComWrt(port, "x", 1) < 0 && GetOutQLen(port) < 0 &&
                    ComRdByte(port) < 0)
            << port;
    }
    ASSERT_EQ(OpenLine(4), 0);
    EXPECT_LT(OpenLine(4), 0);  // already open
    EXPECT_LT(ComWrt(4, nullptr, 3), 0);
    EXPECT_LT(ComWrt(4, "x", -1), 0);
    EXPECT_EQ(ComWrt(4, nullptr, 0), 0);
    ports.script().failClose = true;
    EXPECT_LT(CloseCom(4), 0);
    EXPECT_EQ(OpenLine(4), 0);  // the slot is free even after a failed close
    EXPECT_EQ(ports.script().opens, 2);
    // Each port keeps its own timeout.
    ASSERT_EQ(OpenLine(1), 0);
    ASSERT_EQ(OpenLine(8), 0);
    EXPECT_EQ(SetComTime(8, 0.25), 0);
    EXPECT_EQ(GetComTime(8), 0.25);
    EXPECT_EQ(ports.script().timeout, 0.25);
    EXPECT_EQ(GetComTime(1), rs232::kDefaultTimeoutSeconds);
    EXPECT_EQ(SetComTime(8, 1e300), 0);  // cut to a day
    EXPECT_EQ(GetComTime(8), rs232::kMaxTimeoutSeconds);
    EXPECT_EQ(ports.script().timeout, rs232::kMaxTimeoutSeconds);
}

TEST(PortMap, ProcessSettingThenMapFileThenSerialDevice) {
    testsupport::TemporaryCurrentDirectory directory;
    testsupport::ScriptedPorts ports;
    EXPECT_EQ(rs232::DeviceForPort(1), "/dev/ttyS0");
    std::ofstream(rs232::kPortMapFile)
        << "; lab bench\r\n[ports]\r\n  COM3 = /dev/ttyUSB0\r\ncom8=\"/tmp/with blank\"\r\n"
        << "com5 = tcp://[fe80::1]:4001\n";
    EXPECT_EQ(rs232::DeviceForPort(3), "/dev/ttyUSB0");
    EXPECT_EQ(rs232::DeviceForPort(5), "tcp://[fe80::1]:4001");
    EXPECT_EQ(rs232::DeviceForPort(7), "/dev/ttyS6");
    EXPECT_EQ(rs232::DeviceForPort(9), "");
    rs232::SetPortDevice(3, "/dev/pts/9");
    ASSERT_EQ(OpenLine(3), 0);
    EXPECT_EQ(ports.script().device, "/dev/pts/9");
    rs232::SetPortDevice(3, "");
    EXPECT_EQ(rs232::DeviceForPort(3), "/dev/ttyUSB0");
    ASSERT_EQ(OpenLine(8), 0);
    EXPECT_EQ(ports.script().device, "/tmp/with blank");
    ASSERT_EQ(OpenLine(1, "/dev/explicit"), 0);
    EXPECT_EQ(ports.script().device, "/dev/explicit");
}

}  // namespace
