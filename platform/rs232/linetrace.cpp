#include "platform/rs232/linetrace.h"

#include <fcntl.h>
#include <stdio.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string_view>
#include <utility>

#include "platform/atomicfile.h"
#include "platform/errorname.h"
#include "platform/fileio.h"
#include "platform/localtime.h"
#include "platform/rs232/rs232.h"
#include "platform/uniquefd.h"

namespace rs232 {
namespace {

using SystemClock = std::chrono::system_clock;

// Enough for a few seconds of polling; a write per poll would cost more.
constexpr std::size_t kWriteOutAt = 8192;
constexpr auto kWriteOutAfter = std::chrono::seconds(1);

struct Frame {
    const std::string* device = nullptr;
    SystemClock::time_point start;
    std::string bytes;
};

struct Trace {
    bool running = false;
    platform::UniqueFd file;  // not valid when tracing to standard error
    int fd = -1;
    std::string buffer;
    SystemClock::time_point lastWrite;
    int writeError = 0;
    std::array<Frame, kLastPort> frames;
};

// Guards everything below: the port side traces from the thread that works
// the line, the trace is switched from another.
std::mutex gMutex;
Trace gTrace;
TraceClock gClock;

// The text of the last second a line was stamped with, made once per second.
struct SecondText {
    std::time_t second = -1;
    std::array<char, 24> text{};
};
SecondText gSecond;

SystemClock::time_point Now() {
    return gClock ? gClock() : SystemClock::now();
}

void AppendTime(std::string& out, SystemClock::time_point time) {
    const auto ms = std::chrono::floor<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const auto second = static_cast<std::time_t>(ms / 1000);
    const auto milli = static_cast<int>(ms % 1000);
    if (second != gSecond.second) {
        const std::tm local = platform::LocalTime(second);
        std::strftime(gSecond.text.data(), gSecond.text.size(), "%Y-%m-%dT%H:%M:%S", &local);
        gSecond.second = second;
    }
    out += gSecond.text.data();
    out += '.';
    out += static_cast<char>('0' + milli / 100);
    out += static_cast<char>('0' + milli / 10 % 10);
    out += static_cast<char>('0' + milli % 10);
}

void AppendByte(std::string& out, unsigned char byte) {
    switch (byte) {
        case 0x06:
            out += "<ACK>";
            return;
        case 0x15:
            out += "<NAK>";
            return;
        case 0x18:
            out += "<CAN>";
            return;
        case '\r':
            out += "<CR>";
            return;
        default:
            break;
    }
    if (byte >= 0x20 && byte < 0x7F && byte != '<') {
        out += static_cast<char>(byte);
        return;
    }
    constexpr std::string_view kHex = "0123456789ABCDEF";
    out += "<0x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    out += '>';
}

void Fail(int error) {
    gTrace.writeError = error;
    gTrace.running = false;
    gTrace.buffer.clear();
    for (Frame& frame : gTrace.frames)
        frame = {};
    gTrace.file.reset();
}

void WriteOut() {
    if (const int error = platform::WriteAll(gTrace.fd, gTrace.buffer.data(), gTrace.buffer.size());
        error != 0) {
        return Fail(error);
    }
    gTrace.buffer.clear();
    gTrace.lastWrite = Now();
}

// The start of a line: time, device and direction.
void BeginLine(SystemClock::time_point time, const std::string& device, const char* direction) {
    AppendTime(gTrace.buffer, time);
    gTrace.buffer += ' ';
    gTrace.buffer += device;
    gTrace.buffer += direction;
}

void EndLine(SystemClock::time_point time) {
    gTrace.buffer += '\n';
    if (gTrace.buffer.size() >= kWriteOutAt || time - gTrace.lastWrite >= kWriteOutAfter) {
        WriteOut();
    }
}

void EndFrame(Frame& frame) {
    if (frame.bytes.empty()) return;
    BeginLine(frame.start, *frame.device, " <- ");
    for (char c : frame.bytes)
        AppendByte(gTrace.buffer, static_cast<unsigned char>(c));
    frame.bytes.clear();
    EndLine(frame.start);
}

Frame* FrameOf(int port) {
    if (!gTrace.running || port < kFirstPort || port > kLastPort) return nullptr;
    return &gTrace.frames[port - 1];
}

int Stop() {
    if (gTrace.running) {
        for (Frame& frame : gTrace.frames)
            EndFrame(frame);
        if (gTrace.running) WriteOut();
    }
    // A file that cannot take its last bytes reports that only on close.
    if (gTrace.running && gTrace.file.valid()) {
        if (const int error = gTrace.file.close(); error != 0) Fail(error);
    }
    gTrace.running = false;
    gTrace.file.reset();
    return std::exchange(gTrace.writeError, 0);
}

}  // namespace

int StartLineTrace(const std::string& path, TraceMode mode) {
    const std::lock_guard lock(gMutex);
    Stop();
    if (path == kTraceToStandardError) {
        gTrace.fd = fileno(stderr);
    } else {
        const int flags = O_WRONLY | O_CREAT | (mode == TraceMode::Append ? O_APPEND : O_TRUNC);
        gTrace.file = platform::UniqueFd(platform::OpenFile(path, flags));
        if (!gTrace.file.valid()) return errno;
        gTrace.fd = gTrace.file.get();
    }
    gTrace.running = true;
    gTrace.lastWrite = Now();
    return 0;
}

int StopLineTrace() {
    const std::lock_guard lock(gMutex);
    return Stop();
}

bool LineTraceRunning() {
    const std::lock_guard lock(gMutex);
    return gTrace.running;
}

void SetLineTraceClock(TraceClock clock) {
    const std::lock_guard lock(gMutex);
    gClock = std::move(clock);
    gSecond = {};
}

void TraceSent(int port, const std::string& device, std::span<const char> bytes) {
    const std::lock_guard lock(gMutex);
    Frame* frame = FrameOf(port);
    if (!frame || bytes.empty()) return;
    EndFrame(*frame);
    if (!gTrace.running) return;
    const auto now = Now();
    BeginLine(now, device, " -> ");
    for (char c : bytes)
        AppendByte(gTrace.buffer, static_cast<unsigned char>(c));
    EndLine(now);
}

void TraceReceived(int port, const std::string& device, int byte) {
    const std::lock_guard lock(gMutex);
    Frame* frame = FrameOf(port);
    if (!frame) return;
    if (frame->bytes.empty()) {
        frame->device = &device;
        frame->start = Now();
    }
    frame->bytes += static_cast<char>(byte);
    const bool alone = frame->bytes.size() == 1 && (byte == 0x15 || byte == 0x18);
    if (byte == '\r' || alone) EndFrame(*frame);
}

void TraceNoByte(int port, const std::string& device, const FailureCause& cause) {
    const std::lock_guard lock(gMutex);
    Frame* frame = FrameOf(port);
    if (!frame) return;
    EndFrame(*frame);
    if (!gTrace.running) return;
    const auto now = Now();
    BeginLine(now, device, " <- ");
    if (cause.gone) {
        gTrace.buffer += "<hang-up>";
    } else if (cause.error != 0) {
        const char* name = platform::ErrorName(cause.error);
        gTrace.buffer += "<error ";
        gTrace.buffer += name ? name : std::to_string(cause.error);
        gTrace.buffer += '>';
    } else {
        gTrace.buffer += "<timeout>";
    }
    EndLine(now);
}

void TraceEndFrame(int port) {
    const std::lock_guard lock(gMutex);
    if (Frame* frame = FrameOf(port)) EndFrame(*frame);
}

void TraceClosed(int port) {
    const std::lock_guard lock(gMutex);
    Frame* frame = FrameOf(port);
    if (!frame) return;
    EndFrame(*frame);
    if (gTrace.running) WriteOut();
}

}  // namespace rs232
