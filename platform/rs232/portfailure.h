// Why the last port operation of this thread failed, so that error texts can
// name the device and the reason. Every operation of rs232.h except CloseCom
// first forgets the previous failure, so a failure kept here belongs to the
// last of them.
#pragma once

#include <string>

#include "platform/rs232/serialport.h"

namespace rs232 {

struct PortFailure {
    std::string device;  // empty: no failure with a reason from the system
    FailureCause cause;
    std::string group;  // permission denied: the group owning the device, if it may use it
};

// The kept failure, which is forgotten by this call.
PortFailure TakePortFailure();

// For the port table: keeps a failure of device (a cause without any reason
// keeps nothing), or forgets the kept one.
void KeepPortFailure(const std::string& device, const FailureCause& cause);
void ForgetPortFailure();

}  // namespace rs232
