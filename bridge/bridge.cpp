#include "bridge/bridge.h"

#include <array>

#include "bridge/errortext.h"
#include "bridge/messages.h"
#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"

namespace bridge {
namespace {

// comN's number, 0 for a device path or serial server.
int ComNumber(const std::string& port) {
    return port.starts_with("com") ? std::stoi(port.substr(3)) : 0;
}

}  // namespace

Bridge::Bridge(const BridgeConfig& config, Outbox& outbox) : m_config(config), m_outbox(outbox) {
    std::array<bool, rs232::kLastPort + 1> taken{};
    for (const LineConfig& line : config.lines)
        taken[ComNumber(line.port)] = true;
    int free = rs232::kFirstPort;
    for (const LineConfig& line : config.lines) {
        int port = ComNumber(line.port);
        if (port == 0) {
            while (taken[free])
                ++free;
            port = free++;
            rs232::SetPortDevice(port, line.port);
        }
        m_lines.push_back(std::make_unique<LinePoller>(config, line, port, outbox));
    }
}

Bridge::~Bridge() {
    stop();
}

void Bridge::start() {
    for (const auto& line : m_lines)
        line->start();
}

void Bridge::stop() {
    for (const auto& line : m_lines)
        line->requestStop();
    // Before the broker link goes: each line publishes its modules offline on the way out.
    for (const auto& line : m_lines)
        line->join();
}

void Bridge::command(const std::string& topic, const std::string& payload) {
    const auto levels = ParseCommandTopic(m_config.prefix, topic);
    if (!levels) return;
    const std::string resultTopic =
        m_config.prefix + '/' + levels->line + '/' + levels->address + "/result";
    const auto refuse = [&](int code, const std::string& reason) {
        std::string text = code != 0 ? ErrorText(code) + " (" + reason + ")" : reason;
        m_outbox.publish(resultTopic, ResultJson(levels->parameter, code, std::nullopt, text),
                         false);
    };
    if (!m_config.writes) return refuse(0, "writes are off (writes = 0 in the configuration)");
    std::size_t index = 0;
    while (index < m_config.lines.size() && m_config.lines[index].name != levels->line)
        ++index;
    if (index == m_config.lines.size()) return refuse(0, "no such line: " + levels->line);
    Refusal refusal;
    const auto checked = CheckCommand(*levels, payload, &refusal);
    if (!checked) return refuse(refusal.code, refusal.reason);
    if (!m_lines[index]->submit(*checked))
        return refuse(0, "the line has too many commands waiting");
}

}  // namespace bridge
