// Attaches the program's callbacks to the resource by the names the resource
// gives them. A name without a callback stays unattached, which stops
// start-up (userint::UnattachedCallbacks).
#pragma once

#include "platform/userint/resource.h"

void AttachCallbacks(userint::Resource& resource);
