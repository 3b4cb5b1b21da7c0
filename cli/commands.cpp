#include "cli/commands.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <thread>

#include "driver/vekzan1.h"

namespace zan1ctl {
namespace {

constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 8;

}  // namespace

std::string NumberText(double value) {
    if (value == 0) value = 0;  // no "-0"
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed);
    return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

int Scan(int port, std::ostream& out) {
    for (int address = kFirstAddress; address <= kLastAddress; ++address) {
        char identification[32] = {};
        const bool found = VEKZAN1_IDLesen(port, address, identification) == 0;
        out << address << ' ' << (found ? identification : "-") << '\n' << std::flush;
    }
    return 0;
}

int Identify(int port, int address, std::ostream& out) {
    char identification[32] = {};
    const int result = VEKZAN1_IDLesen(port, address, identification);
    if (result == 0) out << identification << '\n';
    return result;
}

int Get(int port, int address, const std::vector<std::string>& names, std::ostream& out) {
    for (const std::string& name : names) {
        double value = 0;
        const int result = VEKZAN1_ParameterLesen(port, address, name.c_str(), &value);
        if (result != 0) return result;
        out << name << '=' << NumberText(value) << '\n';
    }
    return 0;
}

int Set(int port, int address, const std::vector<Assignment>& assignments) {
    for (const Assignment& assignment : assignments) {
        const int result =
            VEKZAN1_ParameterSchreiben(port, address, assignment.name.c_str(), assignment.value);
        if (result != 0) return result;
    }
    return 0;
}

int Status(int port, int address, std::ostream& out) {
    int status = 0;
    const int result = VEKZAN1_StatusLesen(port, address, &status);
    if (result != 0) return result;
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%d (0x%02X)", status, status);
    out << text.data() << '\n';
    return 0;
}

int Monitor(int port, int address, double intervalSeconds, long count,
            const std::function<bool()>& keepRunning, std::ostream& out) {
    using Clock = std::chrono::steady_clock;
    const auto interval =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(intervalSeconds));
    out << "t_s,istwert1_V,istwert2_V\n" << std::flush;
    const auto start = Clock::now();
    for (long poll = 0; (count == 0 || poll < count) && keepRunning(); ++poll) {
        std::this_thread::sleep_until(start + poll * interval);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        double actual1 = 0;
        double actual2 = 0;
        int result = VEKZAN1_ParameterLesen(port, address, "istwert1", &actual1);
        if (result == 0) result = VEKZAN1_ParameterLesen(port, address, "istwert2", &actual2);
        if (result != 0) return result;
        std::array<char, 32> time{};
        std::snprintf(time.data(), time.size(), "%.3f", seconds);
        out << time.data() << ',' << NumberText(actual1) << ',' << NumberText(actual2) << '\n'
            << std::flush;
    }
    return 0;
}

}  // namespace zan1ctl
