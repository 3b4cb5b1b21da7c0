#include "moduleops/leitung.h"

#include "driver/vekzan1.h"

namespace {

constexpr double kReadTimeoutSeconds = 1.0;
constexpr int kNoPort = -1;

}  // namespace

Leitung::~Leitung() {
    CloseComPort();
}

Result Leitung::OpenComPort(int newPort) {
    const int oldPort = m_port;
    if (newPort == oldPort) return 0;
    if (oldPort != kNoPort) VEKZAN1_Close(oldPort);
    if (newPort == kNoPort) {
        m_port = kNoPort;
        return 0;
    }
    if (const int opened = VEKZAN1_Open(newPort); opened != 0) {
        m_port = kNoPort;
        return MitPortgrund(opened);
    }
    m_port = newPort;
    return MitPortgrund(VEKZAN1_Timeout(newPort, kReadTimeoutSeconds));
}

void Leitung::CloseComPort() {
    if (m_port != kNoPort) {
        VEKZAN1_Close(m_port);
        m_port = kNoPort;
    }
}

Result MitPortgrund(int code) {
    if (code == 0) return 0;
    return {code, rs232::TakePortFailure()};
}

PortSession::PortSession(Leitung& leitung, int port)
    : m_leitung(leitung),
      m_openedHere(leitung.gehalten() == kNoPort),
      m_status(m_openedHere ? leitung.OpenComPort(port) : Result()) {}

PortSession::~PortSession() {
    if (m_openedHere) m_leitung.CloseComPort();
}
