// The look of the panels: Fusion with its light palette and the system font
// at a size that fits the resource's 16 px label lines.
#pragma once

#include <QString>
#include <QStringList>

class QLocale;

namespace qtui {

void ApplyLook();

// Qt's own texts (file dialog, standard buttons, context menus) in the
// language of the locale, from Qt's installed translations; false when those
// are missing.
bool TranslateQt(const QLocale& locale);

// The program's own translation file name.qm from the first of the folders
// that has it; false when none has.
bool TranslateProgram(const QString& name, const QStringList& folders);

}  // namespace qtui
