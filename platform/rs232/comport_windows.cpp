#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>

#include "platform/rs232/linetiming.h"
#include "platform/rs232/localport.h"
#include "platform/rs232/rs232.h"
#include "platform/windowsapi.h"

namespace rs232 {
namespace {

// Another program holding a COM port makes CreateFile fail with "access
// denied": for a port that means busy, not a matter of rights.
int OpenErrno(DWORD error) {
    return error == ERROR_ACCESS_DENIED ? EBUSY : platform::ErrnoFromWindowsError(error);
}

// Errors of a port whose device went away (unplugged USB adapter).
bool MeansGone(DWORD error) {
    return error == ERROR_DEVICE_REMOVED || error == ERROR_BAD_COMMAND ||
           error == ERROR_DEV_NOT_EXIST || error == ERROR_DEVICE_NOT_CONNECTED ||
           error == ERROR_OPERATION_ABORTED || error == ERROR_GEN_FAILURE;
}

bool Supported(const LineSettings& settings) {
    constexpr std::array kBaudRates{1200L, 2400L, 4800L, 9600L, 19200L, 38400L, 57600L, 115200L};
    return std::find(kBaudRates.begin(), kBaudRates.end(), settings.baudRate) != kBaudRates.end() &&
           settings.dataBits >= 5 && settings.dataBits <= 8 && settings.stopBits >= 1 &&
           settings.stopBits <= 2 && settings.parity >= kParityNone &&
           settings.parity <= kParityEven;
}

// 0 or the errno of the step that failed (ENOTTY for a device that is no
// serial port, EINVAL for settings it does not take).
int ApplyLineSettings(HANDLE port, const LineSettings& settings) {
    if (!Supported(settings)) return EINVAL;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) return ENOTTY;
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = settings.parity == kParityOdd    ? ODDPARITY
                 : settings.parity == kParityEven ? EVENPARITY
                                                  : NOPARITY;
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity != kParityNone;
    // A byte with a parity error arrives as NUL and fails the answer checks.
    dcb.fErrorChar = dcb.fParity;
    dcb.ErrorChar = 0;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(port, &dcb)) return platform::ErrnoFromWindowsError(GetLastError());
    return 0;
}

DWORD Milliseconds(double seconds) {
    return static_cast<DWORD>(std::ceil(seconds * 1000.0));
}

class ComPort final : public SerialPort {
  public:
    ComPort(HANDLE handle, const LineSettings& settings)
        : m_handle(handle), m_secondsPerByte(SecondsPerByte(settings)) {}
    ~ComPort() override { close(); }
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;

    // A read of what has not arrived yet waits up to the timeout in all; a
    // write may take the timeout plus the time its bytes need on the line.
    int setTimeout(double seconds) override {
        if (!(seconds >= 0) || !std::isfinite(seconds)) return noReason();
        COMMTIMEOUTS timeouts{};
        const DWORD wait = Milliseconds(seconds);
        // No wait at all is asked for with MAXDWORD, 0, 0.
        timeouts.ReadIntervalTimeout = wait == 0 ? MAXDWORD : 0;
        timeouts.ReadTotalTimeoutConstant = wait;
        timeouts.WriteTotalTimeoutMultiplier = Milliseconds(m_secondsPerByte);
        timeouts.WriteTotalTimeoutConstant = std::max<DWORD>(wait, 1);
        if (!SetCommTimeouts(m_handle, &timeouts)) return failed(GetLastError());
        m_timeout = Seconds(seconds);
        return 0;
    }

    int flushInput() override {
        m_readPos = m_readEnd = 0;
        return PurgeComm(m_handle, PURGE_RXCLEAR | PURGE_RXABORT) ? 0 : failed(GetLastError());
    }

    // Lets queued bytes go out rather than discarding them: a command cut off
    // on the line would spoil the next one. Fails when the queue does not
    // empty within the timeout.
    int flushOutput() override {
        const int drained =
            DrainOutput([this] { return outputQueueLength(); }, m_timeout, m_secondsPerByte);
        return drained > 0 ? noReason() : drained;
    }

    int write(std::span<const char> bytes) override {
        DWORD written = 0;
        if (!WriteFile(m_handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr)) {
            return failed(GetLastError());
        }
        return static_cast<int>(written);
    }

    int outputQueueLength() override {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(m_handle, &errors, &status)) return failed(GetLastError());
        return static_cast<int>(status.cbOutQue);
    }

    int readByte() override {
        if (m_readPos == m_readEnd && !fillInput()) return -1;
        return static_cast<unsigned char>(m_input[m_readPos++]);
    }

    int close() override {
        if (m_handle == INVALID_HANDLE_VALUE) return 0;
        const bool closed = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed ? 0 : failed(GetLastError());
    }

    FailureCause failureCause() const override { return m_cause; }

  private:
    int failed(DWORD error) {
        m_cause = {platform::ErrnoFromWindowsError(error), MeansGone(error)};
        return -1;
    }
    int noReason() {
        m_cause = {};
        return -1;
    }

    // Takes all that has arrived, up to the buffer, so an answer costs a call
    // or two rather than one per byte; with nothing there, waits for one byte.
    // (A read of more than has arrived would wait for all of it.)
    bool fillInput() {
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(m_handle, &errors, &status)) {
            failed(GetLastError());
            return false;
        }
        const DWORD wanted = std::clamp<DWORD>(status.cbInQue, 1, m_input.size());
        DWORD got = 0;
        if (!ReadFile(m_handle, m_input.data(), wanted, &got, nullptr)) {
            failed(GetLastError());
            return false;
        }
        if (got == 0) {
            noReason();
            return false;
        }
        m_readPos = 0;
        m_readEnd = got;
        return true;
    }

    HANDLE m_handle;
    double m_secondsPerByte;
    FailureCause m_cause;
    Clock::duration m_timeout{};
    std::array<char, 512> m_input{};
    std::size_t m_readPos = 0;
    std::size_t m_readEnd = 0;
};

}  // namespace

std::unique_ptr<SerialPort> OpenLocalPort(const std::string& device, const LineSettings& settings,
                                          int* error) {
    // No sharing: from here on a second program cannot talk over this port.
    const HANDLE handle = CreateFileW(platform::Widen(device).c_str(), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        *error = OpenErrno(GetLastError());
        return nullptr;
    }
    auto port = std::make_unique<ComPort>(handle, settings);
    *error = GetFileType(handle) == FILE_TYPE_CHAR ? ApplyLineSettings(handle, settings) : ENOTTY;
    if (*error == 0 && port->setTimeout(kDefaultTimeoutSeconds) != 0) {
        *error = port->failureCause().error;
    }
    if (*error == 0 && port->flushInput() != 0) *error = port->failureCause().error;
    if (*error != 0) return nullptr;
    return port;
}

}  // namespace rs232
