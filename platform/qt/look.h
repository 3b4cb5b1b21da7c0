// The look of the panels: Fusion with its light palette and the system font
// at a size that fits the resource's 16 px label lines.
#pragma once

class QLocale;

namespace qtui {

void ApplyLook();

// Qt's own texts (file dialog, standard buttons, context menus) in the
// language of the locale, from Qt's installed translations; false when those
// are missing.
bool TranslateQt(const QLocale& locale);

}  // namespace qtui
