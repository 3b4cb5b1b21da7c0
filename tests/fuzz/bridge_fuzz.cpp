// Reads arbitrary bytes as what reaches the bridge from outside: after an even
// first byte a command (topic, NUL, payload), after an odd one the
// configuration file. A command that passes its check must be in range and
// writable, every JSON text valid UTF-8 with only numbers or strings as
// values, and a configuration read must be one a bridge can run.
#include <unistd.h>

#include <set>

#include "bridge/messages.h"
#include "config/ZAN1Func.h"
#include "platform/utf8.h"

namespace {

using namespace bridge;

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// Valid UTF-8 without raw control characters, every string closed and every
// value outside one a string or a number.
void CheckJson(std::string_view json) {
    Check(platform::IsValidUtf8(json) && json.starts_with('{') && json.ends_with('}'));
    bool quoted = false;
    for (std::size_t k = 0; k < json.size(); k += quoted && json[k] == '\\' ? 2 : 1) {
        Check(static_cast<unsigned char>(json[k]) >= 0x20 &&
              (quoted || json[k] != ':' ||
               std::string_view("\"-0123456789").find(json[k + 1]) != std::string_view::npos));
        quoted ^= json[k] == '"';
    }
    Check(!quoted);
}

void FuzzCommand(std::string_view prefix, std::string_view input) {
    const std::string_view topic = input.substr(0, input.find('\0'));
    const std::string_view payload = input.substr(std::min(input.size(), topic.size() + 1));
    CheckJson(ResultJson(topic, 0, std::nullopt, payload));
    const auto levels = ParseCommandTopic(prefix, topic);
    if (!levels) return;
    Refusal refusal;
    const auto command = CheckCommand(*levels, payload, &refusal);
    if (!command) return CheckJson(ResultJson(levels->parameter, refusal.code, {}, refusal.reason));
    const vekzan1::Parameter& p = *command->parameter;
    Check(command->address >= 1 && command->address <= 8 && p.name == levels->parameter &&
          vekzan1::IsWritable(p) && vekzan1::InRange(p, command->value));
    CheckJson(ResultJson(p.name, 0, vekzan1::FormatAnswer(p, command->value), ""));
}

// One unlinked file for every run, in memory where there is /dev/shm, so
// that none stays behind.
int ConfigFile() {
    static const int fd = [] {
        std::string path =
            access("/dev/shm", W_OK) ? "/tmp/zan1bridge.XXXXXX" : "/dev/shm/zan1bridge.XXXXXX";
        const int fd = mkstemp(path.data());
        Check(fd >= 0 && unlink(path.c_str()) == 0);
        return fd;
    }();
    return fd;
}

void FuzzConfig(std::string_view input) {
    const int fd = ConfigFile();
    Check(!ftruncate(fd, 0) && pwrite(fd, input.data(), input.size(), 0) == ssize_t(input.size()));
    std::string reason;
    const auto config = ReadBridgeConfig("/proc/self/fd/" + std::to_string(fd), &reason);
    if (!config) return Check(!reason.empty());
    Check(IsTopicPrefix(config->prefix) && !config->broker.host.empty() &&
          config->pollSeconds >= 0 && config->pollSeconds <= kMaxPollSeconds &&
          config->scanMinutes >= 0 && config->scanMinutes <= kMaxScanMinutes &&
          !config->lines.empty() && config->lines.size() <= kMaxLines);
    std::set<std::string> names, ports;
    for (const LineConfig& line : config->lines) {
        // com5 and com05 are the same port.
        const bool com = line.port.starts_with("com");
        Check(
            IsTopicLevel(line.name) && names.insert(line.name).second &&
            ports.insert(com ? std::to_string(std::stoi(line.port.substr(3))) : line.port).second);
        for (const auto& [address, scaling] : line.scalings) {
            for (const auto& k : scaling)
                Check(address >= 1 && address <= 8 &&
                      (!k || (SkalierungBrauchbar(*k) && platform::IsValidUtf8(Einheit(*k)))));
            CheckJson(StateJson({{}, -10, 10, 255}, scaling));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (size == 0) return 0;
    data[0] % 2 ? FuzzConfig(input.substr(1))
                : FuzzCommand(data[0] % 4 ? "plant/zan1" : "zan1", input.substr(1));
    return 0;
}
