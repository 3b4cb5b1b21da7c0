// The look of the panels: Fusion with its light palette and the system font
// at a size that fits the resource's 16 px label lines.
#pragma once

namespace qtui {

void ApplyLook();

}  // namespace qtui
