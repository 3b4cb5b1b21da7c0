// Runs driver operations against the scripted port. For each operation the
// input picks its kind and arguments, a port fault and the bytes the module
// answers. A result must be 0 or a code of the operation's own failure sites,
// a failure must leave the output alone, and a write the driver sends must be
// one the simulated module accepts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <string>

#include "driver/parametermap.h"
#include "driver/protocol.h"
#include "driver/vekzan1.h"
#include "sim/bus.h"
#include "tests/support/scriptedport.h"

namespace {

constexpr int kPort = 2;
constexpr int kIdCodes[] = {0,       -400005, -124066, -123067, -101007, -114008,
                            -402009, -405010, -403011, -404012, -404013, -404014};
constexpr int kStatusCodes[] = {0,       -400056, -124066, -123067, -101058, -114059,
                                -402060, -405061, -403062, -404063, -404064, -404065};
constexpr int kReadCodes[] = {0,       -400044, -401045, -112047, -101048, -114049,
                              -402050, -405051, -403052, -404053, -404054, -404055};
constexpr int kWriteCodes[] = {0,       -400024, -401035, -112037, -101038,
                               -101039, -402040, -405041, -403042, -404043};

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

bool In(int code, std::span<const int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

void Break(testsupport::PortScript& s, int fault) {
    s.failFlushInput = fault == 1;
    s.failFlushOutput = fault == 2;
    s.failWrite = fault == 3;
    s.acceptAtMost = fault == 4 ? 3 : -1;
    s.outputQueueUnknown = fault == 5;
    if (fault == 6) s.inputQueue = {vekzan1::kNak};  // left over from before
}

// A small whole number, a number near the parameter's range, or any bit pattern.
double Value(FuzzedDataProvider& in, const vekzan1::Parameter& p) {
    const int kind = in.ConsumeIntegralInRange(0, 2);
    if (kind == 0) return in.ConsumeIntegralInRange(-2, 5);
    if (kind == 1) return in.ConsumeFloatingPointInRange(p.min - 1, p.max + 1);
    auto bytes = in.ConsumeBytes<char>(sizeof(double));
    bytes.resize(sizeof(double));
    double value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

std::string Command(int address, const std::string& object, char operation) {
    return '#' + std::to_string(address) + object + operation + '\r';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    testsupport::ScriptedPorts ports;
    testsupport::PortScript& s = ports.script();
    Check(VEKZAN1_Open(kPort) == 0 && VEKZAN1_Timeout(kPort, 0) == 0);
    while (in.remaining_bytes() > 0) {
        const int operation = in.ConsumeIntegralInRange(0, 4);
        const int address = in.ConsumeIntegralInRange(-1, 10);
        const auto index = in.ConsumeIntegralInRange<std::size_t>(0, 25);
        const vekzan1::Parameter* p = index < 24 ? &vekzan1::ParameterMap()[index] : nullptr;
        const char* name = p ? p->name.data() : index == 24 ? "P3" : nullptr;
        const double value = Value(in, p ? *p : vekzan1::ParameterMap()[0]);
        s = {};
        Break(s, in.ConsumeIntegralInRange(0, 15));
        s.answerNextWrite(in.ConsumeBytesAsString(in.ConsumeIntegralInRange(0, 40)));
        char text[32] = "-";
        int status = -1;
        double read = NAN;
        if (operation == 0) {
            const int code = VEKZAN1_IDLesen(kPort, address, text);
            const std::string_view id = text;
            Check(In(code, kIdCodes) && (code != 0 ? id == "-"
                                                   : id.size() >= 1 && id.size() <= 26 &&
                                                         s.written == Command(address, "ID", 'R')));
            Check(std::all_of(id.begin(), id.end(), [](char c) { return c > ' ' && c < 0x7F; }));
        } else if (operation == 1) {
            const int code = VEKZAN1_StatusLesen(kPort, address, &status);
            Check(In(code, kStatusCodes) &&
                  (code != 0
                       ? status == -1
                       : status >= 0 && status <= 255 && s.written == Command(address, "ST", 'R')));
        } else if (operation == 2) {
            const int code = VEKZAN1_ParameterLesen(kPort, address, name, &read);
            Check(In(code, kReadCodes) &&
                  (code != 0
                       ? std::isnan(read)
                       : std::isfinite(read) &&
                             s.written == Command(address, {p->codeLetter, p->codeDigit}, 'R')));
        } else if (operation == 3) {
            const int code = VEKZAN1_ParameterSchreiben(kPort, address, name, value);
            Check(In(code, kWriteCodes) || (p && code == p->rangeCode));
            Check(code != 0 || (IsWritable(*p) && InRange(*p, value)));
            if (code == 0 && address == vekzan1::kBroadcastAddress) Check(s.reads == 0);
            if (code == 0 && address != vekzan1::kBroadcastAddress) {
                zan1sim::Bus bus({{{address, ""}}, {}}, {});
                Check(bus.handle(s.written, {}) == std::string(1, vekzan1::kAck));
            }
        } else {
            Check(VEKZAN1_DeviceFunction(kPort, address) ==
                      (address >= 0 && address <= 9 ? -401016 : -400015) &&
                  s.written.empty());
        }
    }
    return 0;
}
