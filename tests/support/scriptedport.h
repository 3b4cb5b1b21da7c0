// An in-memory serial port for tests. The test keeps the script; the port
// table owns the port built from it. Bytes already in the input queue are
// discarded by a flush; answers queued with answerNextWrite arrive only after
// the next write, as a module's would.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "platform/rs232/serialport.h"

namespace testsupport {

struct PortScript {
    std::deque<int> inputQueue;
    std::deque<std::deque<int>> answers;  // one per future write
    std::string written;                  // everything the port accepted
    std::string device;                   // as passed to the opener
    rs232::LineSettings settings;
    int opens = 0;
    int closes = 0;
    int reads = 0;

    bool failOpen = false;
    int openError = 0;  // the errno a failed open gives as its reason
    bool failClose = false;
    bool failTimeout = false;
    bool failFlushInput = false;
    bool failFlushOutput = false;
    bool failWrite = false;
    int acceptAtMost = -1;       // short writes when >= 0
    int outputQueueReports = 0;  // how many GetOutQLen calls still see bytes pending
    bool outputQueueUnknown = false;
    double timeout = -1;

    void answerNextWrite(const std::string& bytes);
};

// Makes every port open as a scripted port on the returned script, until the
// guard is destroyed; then ports 1..8 are closed and the tty backend restored.
class ScriptedPorts {
  public:
    ScriptedPorts();
    ~ScriptedPorts();
    ScriptedPorts(const ScriptedPorts&) = delete;
    ScriptedPorts& operator=(const ScriptedPorts&) = delete;

    PortScript& script() { return *m_script; }

  private:
    std::shared_ptr<PortScript> m_script;
};

}  // namespace testsupport
