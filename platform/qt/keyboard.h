// The keyboard on the panels: the order in which Tab visits the controls,
// taken from where they stand, and the letters that Alt+letter presses.
// Internal to platform/qt.
#pragma once

#include <QChar>
#include <QRect>
#include <QString>
#include <vector>

namespace qtui {

// The order of the boxes (indices) as they are read: a column of the layout
// before the one right of it, a row before the one below it. A panel is cut
// at its widest gap, across or down, recursively; a cut down the panel never
// parts two boxes that stand in one row, which keeps rows and sentences
// together.
std::vector<std::size_t> LayoutOrder(const std::vector<QRect>& boxes);

// One letter (lower case) per text, none of them in *taken nor chosen twice,
// and each added to *taken; a null QChar where none is left. Short texts
// choose first, having fewer letters; a word's first letter is preferred.
std::vector<QChar> PickMnemonics(const std::vector<QString>& texts, QString* taken);

// Where the text's mnemonic letter stands: its first occurrence at the start
// of a word, else its first one; -1 when absent.
int MnemonicPosition(const QString& text, QChar letter);

}  // namespace qtui
