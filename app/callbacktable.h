// Attaches the program's callbacks to the resource by the names the resource
// gives them. A name whose callback does not exist yet stays unattached.
#pragma once

#include "platform/userint/resource.h"

void AttachCallbacks(userint::Resource& resource);
