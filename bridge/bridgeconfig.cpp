#include "bridge/bridgeconfig.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "config/ZAN1Func.h"
#include "platform/ini/ini.h"
#include "platform/rs232/rs232.h"
#include "platform/utf8.h"

namespace bridge {
namespace {

constexpr const char* kBridgeSection = "Bridge";
constexpr std::string_view kLinePrefix = "Line ";
constexpr std::string_view kScalingPrefix = "Scaling ";

// Reads one section's keys, keeping the first fault as the reason.
class Section {
  public:
    Section(IniHandle ini, std::string name, std::string* reason)
        : m_ini(ini), m_name(std::move(name)), m_reason(reason) {}

    std::string text(const char* key, std::string fallback = {}) const {
        std::vector<char> buffer(4096);
        if (Ini_GetRawStringIntoBuffer(m_ini, m_name.c_str(), key, buffer.data(), buffer.size()) !=
                1 ||
            buffer[0] == '\0') {
            return fallback;
        }
        return buffer.data();
    }

    // The number, the fallback when absent, nullopt (and the reason) when it
    // is no number within min..max.
    std::optional<double> number(const char* key, double fallback, double min, double max) const {
        double value = fallback;
        const int found = Ini_GetDouble(m_ini, m_name.c_str(), key, &value);
        if (found < 0 || !std::isfinite(value) || value < min || value > max) {
            fail(key, "needs a number from " + Text(min) + " to " + Text(max));
            return std::nullopt;
        }
        return value;
    }

    bool fail(const char* key, const std::string& why) const {
        if (m_reason->empty()) *m_reason = "[" + m_name + "] " + key + " " + why;
        return false;
    }

  private:
    static std::string Text(double value) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        return std::string(text, end);
    }

    IniHandle m_ini;
    std::string m_name;
    std::string* m_reason;
};

bool ReadBroker(const Section& s, BridgeConfig* config) {
    BrokerConfig& broker = config->broker;
    if (!ParseBrokerUrl(s.text("broker", "mqtt://localhost"), &broker)) {
        return s.fail("broker", "must be mqtt://HOST[:PORT] or mqtts://HOST[:PORT]");
    }
    broker.clientId = s.text("client_id", broker.clientId);
    broker.user = s.text("user");
    broker.passwordFile = s.text("password_file");
    broker.caFile = s.text("ca_file");
    broker.certFile = s.text("cert_file");
    broker.keyFile = s.text("key_file");
    if (broker.clientId.empty() || !platform::IsValidUtf8(broker.clientId)) {
        return s.fail("client_id", "must be UTF-8 text");
    }
    if (broker.tls && broker.caFile.empty()) return s.fail("ca_file", "is needed for mqtts://");
    if (broker.certFile.empty() != broker.keyFile.empty()) {
        return s.fail("cert_file", "and key_file go together");
    }
    if (!broker.passwordFile.empty() && broker.user.empty()) {
        return s.fail("password_file", "needs a user");
    }
    return true;
}

bool ReadGeneral(const Section& s, BridgeConfig* config) {
    config->prefix = s.text("prefix", config->prefix);
    if (!IsTopicPrefix(config->prefix)) {
        return s.fail("prefix", "must be topic levels without '+', '#' or empty levels");
    }
    const std::string language = s.text("language", "de");
    if (language != "de" && language != "en") return s.fail("language", "must be de or en");
    config->english = language == "en";
    const auto writes = s.number("writes", 0, 0, 1);
    const auto poll = s.number("poll_seconds", config->pollSeconds, 0, kMaxPollSeconds);
    const auto scan = s.number("scan_minutes", config->scanMinutes, 0, kMaxScanMinutes);
    if (!writes || !poll || !scan) return false;
    if (*writes != 0 && *writes != 1) return s.fail("writes", "must be 0 or 1");
    config->writes = *writes == 1;
    config->pollSeconds = *poll;
    config->scanMinutes = *scan;
    return true;
}

// comN within the port numbers, a device path or a serial server. N is one
// digit, so that two lines cannot name one port as com5 and com05.
bool IsPortText(const std::string& port) {
    if (port.starts_with("/") || port.starts_with("tcp://")) return true;
    static_assert(rs232::kLastPort <= 9);
    return port.size() == 4 && port.starts_with("com") && port[3] - '0' >= rs232::kFirstPort &&
           port[3] - '0' <= rs232::kLastPort;
}

bool ReadScaling(const Section& s, ModuleScaling* scaling) {
    for (int channel = 1; channel <= 2; ++channel) {
        const std::string n = std::to_string(channel);
        const std::string unit = s.text(("unit" + n).c_str());
        if (unit.empty()) continue;
        const auto vmin = s.number(("vmin" + n).c_str(), 0, -1e300, 1e300);
        const auto vmax = s.number(("vmax" + n).c_str(), 10, -1e300, 1e300);
        const auto min = s.number(("min" + n).c_str(), NAN, -1e300, 1e300);
        const auto max = s.number(("max" + n).c_str(), NAN, -1e300, 1e300);
        if (!vmin || !vmax || !min || !max) return false;
        Konfigstruktur konfig = {*vmin, *vmax, *min, *max, {}};
        if (!platform::IsValidUtf8(unit) || unit.size() > kEinheitMaxBytes) {
            return s.fail(("unit" + n).c_str(), "must be UTF-8 of at most 5 bytes");
        }
        EinheitSetzen(&konfig, unit);
        if (!SkalierungBrauchbar(konfig)) {
            return s.fail(("max" + n).c_str(), "gives no usable scaling");
        }
        (*scaling)[channel - 1] = konfig;
    }
    return true;
}

LineConfig* FindLine(BridgeConfig* config, std::string_view name) {
    for (LineConfig& line : config->lines) {
        if (line.name == name) return &line;
    }
    return nullptr;
}

// "NAME ADDRESS" of a scaling section.
bool ReadScalingSection(IniHandle ini, const std::string& section, BridgeConfig* config,
                        std::string* reason) {
    const Section s(ini, section, reason);
    const std::string rest = section.substr(kScalingPrefix.size());
    const auto blank = rest.rfind(' ');
    LineConfig* line =
        blank == std::string::npos ? nullptr : FindLine(config, rest.substr(0, blank));
    const std::string address = blank == std::string::npos ? "" : rest.substr(blank + 1);
    if (!line) return s.fail("", "names no [Line NAME] section");
    if (address.size() != 1 || address[0] < '1' || address[0] > '8') {
        return s.fail("", "needs a bus address 1 to 8 after the line's name");
    }
    return ReadScaling(s, &line->scalings[address[0] - '0']);
}

}  // namespace

bool IsTopicLevel(std::string_view level) {
    if (level.empty() || !platform::IsValidUtf8(level)) return false;
    for (const char c : level) {
        if (c == '/' || c == '+' || c == '#' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

bool IsTopicPrefix(std::string_view prefix) {
    for (std::size_t start = 0;;) {
        const auto slash = prefix.find('/', start);
        if (!IsTopicLevel(prefix.substr(start, slash - start))) return false;
        if (slash == std::string_view::npos) return true;
        start = slash + 1;
    }
}

bool ParseBrokerUrl(const std::string& url, BrokerConfig* broker) {
    std::string_view rest = url;
    if (rest.starts_with("mqtts://")) {
        broker->tls = true;
        rest.remove_prefix(8);
    } else if (rest.starts_with("mqtt://")) {
        broker->tls = false;
        rest.remove_prefix(7);
    } else {
        return false;
    }
    std::string_view host = rest, port;
    if (rest.starts_with('[')) {
        const auto close = rest.find(']');
        if (close == std::string_view::npos) return false;
        host = rest.substr(1, close - 1);
        port = rest.substr(close + 1);
        if (!port.empty() && !port.starts_with(':')) return false;
    } else if (const auto colon = rest.find(':'); colon != std::string_view::npos) {
        host = rest.substr(0, colon);
        port = rest.substr(colon);
    }
    broker->port = broker->tls ? 8883 : 1883;
    if (!port.empty()) {
        port.remove_prefix(1);
        const char* end = port.data() + port.size();
        if (std::from_chars(port.data(), end, broker->port).ptr != end || broker->port < 1 ||
            broker->port > 65535) {
            return false;
        }
    }
    if (host.empty() || host.find_first_of("/?#@ ") != std::string_view::npos) return false;
    broker->host = host;
    return true;
}

std::optional<BridgeConfig> ReadBridgeConfig(const std::string& path, std::string* reason) {
    reason->clear();
    const IniPtr ini = MakeIni(false);
    if (!ini) {
        *reason = "out of memory";
        return std::nullopt;
    }
    if (const int read = Ini_ReadFromFile(ini.get(), path.c_str()); read < 0) {
        // The reader's code does not say why; the system does.
        std::error_code folder;
        errno = 0;
        std::string why = "error ";
        why += std::to_string(read);
        if (std::filesystem::is_directory(path, folder)) {
            why = "a folder, not a file";
        } else if (!std::ifstream(path).is_open() && errno != 0) {
            why = std::strerror(errno);
        }
        *reason = path + ": cannot be read (" + why + ")";
        return std::nullopt;
    }
    BridgeConfig config;
    const Section general(ini.get(), kBridgeSection, reason);
    if (!ReadBroker(general, &config) || !ReadGeneral(general, &config)) return std::nullopt;
    const int sections = Ini_NumberOfSections(ini.get());
    std::vector<std::string> scalings;
    for (int index = 1; index <= sections; ++index) {
        char name[512];
        Ini_NthSectionName(ini.get(), index, name, sizeof name);
        const std::string section = name;
        if (section == kBridgeSection) continue;
        if (section.starts_with(kScalingPrefix)) {
            scalings.push_back(section);
            continue;
        }
        const Section s(ini.get(), section, reason);
        if (!section.starts_with(kLinePrefix)) {
            s.fail("",
                   "is not a section of this file ([Bridge], [Line NAME], [Scaling NAME ADDRESS])");
            return std::nullopt;
        }
        LineConfig line{section.substr(kLinePrefix.size()), s.text("port"), {}};
        if (!IsTopicLevel(line.name) || line.name == "bridge" || FindLine(&config, line.name)) {
            s.fail("", "needs a name of its own that can be a topic level (no '/', '+', '#')");
            return std::nullopt;
        }
        if (!IsPortText(line.port)) {
            s.fail("port", "must be com1 to com8, a device path or tcp://HOST:PORT");
            return std::nullopt;
        }
        for (const LineConfig& other : config.lines) {
            if (other.port == line.port) {
                s.fail("port", "is the port of [Line " + other.name + "] already");
                return std::nullopt;
            }
        }
        config.lines.push_back(std::move(line));
    }
    if (config.lines.empty()) {
        *reason = path + ": no [Line NAME] section: the bridge has no line to poll";
        return std::nullopt;
    }
    if (config.lines.size() > kMaxLines) {
        *reason = path + ": more than 8 lines";
        return std::nullopt;
    }
    for (const std::string& section : scalings) {
        if (!ReadScalingSection(ini.get(), section, &config, reason)) return std::nullopt;
    }
    return config;
}

}  // namespace bridge
