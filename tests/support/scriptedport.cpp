#include "tests/support/scriptedport.h"

#include "platform/rs232/rs232.h"

namespace testsupport {
namespace {

class ScriptedPort final : public rs232::SerialPort {
  public:
    explicit ScriptedPort(std::shared_ptr<PortScript> script) : m_script(std::move(script)) {}

    int setTimeout(double seconds) override {
        return m_script->failTimeout ? -1 : (m_script->timeout = seconds, 0);
    }
    int flushInput() override {
        return m_script->failFlushInput ? -1 : (m_script->inputQueue.clear(), 0);
    }
    int flushOutput() override { return m_script->failFlushOutput ? -1 : 0; }
    int write(std::span<const char> bytes) override {
        if (m_script->failWrite) return -1;
        const std::size_t accepted =
            m_script->acceptAtMost < 0
                ? bytes.size()
                : std::min(bytes.size(), std::size_t(m_script->acceptAtMost));
        m_script->written.append(bytes.data(), accepted);
        if (!m_script->answers.empty()) {
            auto& answer = m_script->answers.front();
            m_script->inputQueue.insert(m_script->inputQueue.end(), answer.begin(), answer.end());
            m_script->answers.pop_front();
        }
        return static_cast<int>(accepted);
    }
    int outputQueueLength() override {
        if (m_script->outputQueueUnknown) return -1;
        return m_script->outputQueueReports > 0 ? (--m_script->outputQueueReports, 1) : 0;
    }
    int readByte() override {
        ++m_script->reads;
        if (m_script->inputQueue.empty()) return -1;
        const int byte = m_script->inputQueue.front();
        m_script->inputQueue.pop_front();
        return byte;
    }
    int close() override {
        ++m_script->closes;
        return m_script->failClose ? -1 : 0;
    }
    rs232::FailureCause failureCause() const override { return {}; }

  private:
    std::shared_ptr<PortScript> m_script;
};

}  // namespace

void PortScript::answerNextWrite(const std::string& bytes) {
    std::deque<int>& answer = answers.emplace_back();
    for (unsigned char c : bytes)
        answer.push_back(c);
}

ScriptedPorts::ScriptedPorts() : m_script(std::make_shared<PortScript>()) {
    rs232::SetPortOpener(
        [script = m_script](const std::string& device, const rs232::LineSettings& settings,
                            rs232::FailureCause* cause) -> std::unique_ptr<rs232::SerialPort> {
            script->device = device;
            script->settings = settings;
            *cause = {};
            if (script->failOpen) {
                cause->error = script->openError;
                return nullptr;
            }
            ++script->opens;
            return std::make_unique<ScriptedPort>(script);
        });
}

ScriptedPorts::~ScriptedPorts() {
    for (int port = rs232::kFirstPort; port <= rs232::kLastPort; ++port)
        CloseCom(port);
    rs232::SetPortOpener(nullptr);
}

}  // namespace testsupport
