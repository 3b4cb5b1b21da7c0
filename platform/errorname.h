// The symbolic name of an errno value ("EIO"), the same in every locale.
#pragma once

namespace platform {

// nullptr when the system knows no name for error.
const char* ErrorName(int error);

}  // namespace platform
