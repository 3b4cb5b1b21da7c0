#include "driver/vekzan1.h"

#include <algorithm>
#include <string>

#include "driver/answerreader.h"
#include "driver/parametermap.h"
#include "driver/protocol.h"
#include "driver/transaction.h"
#include "platform/rs232/rs232.h"

using namespace vekzan1;

namespace {

constexpr TransactionCodes kIdentificationCodes{0,       -101007, -114008, -402009,
                                                -405010, -403011, -404012, -404013};
constexpr int kIdentificationMalformed = -404014;

constexpr TransactionCodes kParameterWriteCodes{-112037, -101038, -101039, -402040,
                                                -405041, -403042, -404043, 0};

constexpr TransactionCodes kParameterReadCodes{-112047, -101048, -114049, -402050,
                                               -405051, -403052, -404053, -404054};
constexpr int kParameterReadMalformed = -404055;

constexpr TransactionCodes kStatusCodes{0,       -101058, -114059, -402060,
                                        -405061, -403062, -404063, -404064};
constexpr int kStatusMalformed = -404065;

char AddressDigit(int address) {
    return static_cast<char>('0' + address);
}

// "#", address, two object characters, "R", CR.
std::string ReadCommand(int address, char object1, char object2) {
    return {kStart, AddressDigit(address), object1, object2, kRead, kTerminator};
}

}  // namespace

int VEKZAN1_Open(int port) {
    const int result = OpenComConfig(port, "", kBaudRate, rs232::kParityOdd, kDataBits, kStopBits,
                                     kQueueSize, kQueueSize);
    return result == 0 ? 0 : -100002;
}

int VEKZAN1_Close(int port) {
    return CloseCom(port) == 0 ? 0 : -103003;
}

int VEKZAN1_Timeout(int port, double seconds) {
    return SetComTime(port, seconds) == 0 ? 0 : -111004;
}

int FlushInOut(int port) {
    if (FlushInQ(port) != 0) return -124066;
    if (FlushOutQ(port) != 0) return -123067;
    return 0;
}

int Hexchar2Int(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int VEKZAN1_IDLesen(int port, int address, char* text) {
    if (address < 1 || address > 8) return -400005;
    AnswerText answer;
    const int result = RunTransaction(port, ReadCommand(address, 'I', 'D'), true,
                                      kIdentificationAnswerLimit, kIdentificationCodes, &answer);
    if (result != 0) return result;
    AnswerReader reader(answer.view());
    std::string_view identification;
    if (!(reader.expect(kStart) && reader.addressDigit(address) && reader.word(identification) &&
          reader.end())) {
        return kIdentificationMalformed;
    }
    std::copy(identification.begin(), identification.end(), text);
    text[identification.size()] = '\0';
    return 0;
}

int VEKZAN1_StatusLesen(int port, int address, int* status) {
    if (address < 0 || address > 8) return -400056;
    AnswerText answer;
    const int result = RunTransaction(port, ReadCommand(address, 'S', 'T'), true,
                                      kStatusAnswerLimit, kStatusCodes, &answer);
    if (result != 0) return result;
    AnswerReader reader(answer.view());
    int value = 0;
    if (!(reader.expect(kStart) && reader.addressDigit(address) && reader.expect('S') &&
          reader.expect('T') && reader.expect(kRead) && reader.expect(kStatusMark) &&
          reader.hexByte(value) && reader.end())) {
        return kStatusMalformed;
    }
    *status = value;
    return 0;
}

int VEKZAN1_ParameterSchreiben(int port, int address, const char* name, double value) {
    if (address < 1 || address > 9) return -400024;
    const Parameter* parameter = name ? FindParameter(name) : nullptr;
    if (!parameter || !IsWritable(*parameter)) return -401035;
    if (!InRange(*parameter, value)) return parameter->rangeCode;
    const std::string command = std::string{kStart, AddressDigit(address), parameter->codeLetter,
                                            parameter->codeDigit, kWrite} +
                                FormatValue(*parameter, value) + kTerminator;
    return RunTransaction(port, command, address != kBroadcastAddress, 0, kParameterWriteCodes,
                          nullptr);
}

int VEKZAN1_ParameterLesen(int port, int address, const char* name, double* value) {
    if (address < 0 || address > 8) return -400044;
    const Parameter* parameter = name ? FindParameter(name) : nullptr;
    if (!parameter) return -401045;
    AnswerText answer;
    const int result =
        RunTransaction(port, ReadCommand(address, parameter->codeLetter, parameter->codeDigit),
                       true, kParameterAnswerLimit, kParameterReadCodes, &answer);
    if (result != 0) return result;
    AnswerReader reader(answer.view());
    double read = 0;
    if (!(reader.expect(kStart) && reader.addressDigit(address) &&
          reader.expect(parameter->codeLetter) && reader.expect(parameter->codeDigit) &&
          reader.expect(kRead) && reader.decimalNumber(read) && reader.end())) {
        return kParameterReadMalformed;
    }
    *value = read;
    return 0;
}

int VEKZAN1_DeviceFunction(int /*port*/, int address) {
    if (address < 0 || address > 9) return -400015;
    return -401016;
}
