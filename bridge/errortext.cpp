#include "bridge/errortext.h"

#include <mutex>

#include "errors/fehlertext.h"

namespace bridge {

std::string ErrorText(const Result& result) {
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    return Fehlertext(result);
}

}  // namespace bridge
