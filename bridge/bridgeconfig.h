// The bridge's configuration file, an INI file:
//   [Bridge]        broker (mqtt://HOST[:PORT] or mqtts://), client_id, prefix,
//                   user, password_file, ca_file, cert_file, key_file,
//                   language (de|en), writes (0|1), poll_seconds, scan_minutes
//   [Line NAME]     port: COM number (com1..com8, mapped by zan1ports.ini), a
//                   device path, or tcp://HOST:PORT
//   [Scaling NAME ADDRESS]  a module's user units, per channel n = 1, 2:
//                   unitn, minn, maxn (the user values at vminn and vmaxn,
//                   which default to 0 and 10 V)
// NAME is the line's topic level. Reading checks everything a run relies on.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/konfigstruktur.h"

namespace bridge {

struct BrokerConfig {
    std::string host;
    int port = 1883;
    bool tls = false;
    std::string clientId = "zan1bridge";
    std::string user;
    std::string passwordFile;  // the password is never given on a command line
    std::string caFile;
    std::string certFile;
    std::string keyFile;
};

// A module's channels in user units; a channel without one stays in volts.
using ModuleScaling = std::array<std::optional<Konfigstruktur>, 2>;

struct LineConfig {
    std::string name;
    std::string port;                       // as written
    std::map<int, ModuleScaling> scalings;  // by bus address
};

struct BridgeConfig {
    BrokerConfig broker;
    std::string prefix = "zan1";
    bool english = false;
    bool writes = false;
    double pollSeconds = 0.1;  // one round over a line's modules; 0: unpaced
    double scanMinutes = 10;   // 0: only at start and when a line comes back
    std::vector<LineConfig> lines;
};

inline constexpr int kMaxLines = 8;  // one port number each
inline constexpr double kMaxPollSeconds = 3600;
inline constexpr double kMaxScanMinutes = 7 * 24 * 60;

// The configuration in path; nullopt with a one-line reason naming the
// section and key at fault.
std::optional<BridgeConfig> ReadBridgeConfig(const std::string& path, std::string* reason);

// mqtt://HOST[:PORT] or mqtts://HOST[:PORT] (IPv6 in brackets) into broker;
// false when it is neither.
bool ParseBrokerUrl(const std::string& url, BrokerConfig* broker);

// A topic level of our own naming: not empty, no '/', '+', '#' or control
// character. The prefix may have inner '/'.
bool IsTopicLevel(std::string_view level);
bool IsTopicPrefix(std::string_view prefix);

}  // namespace bridge
