// The catalogue's text for a result in the configured language, from any
// thread: the catalogue module keeps one buffer, so calls take turns.
#pragma once

#include <string>

#include "errors/result.h"

namespace bridge {

std::string ErrorText(const Result& result);

}  // namespace bridge
