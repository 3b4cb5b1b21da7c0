#include "platform/qt/look.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QStyleFactory>

namespace qtui {

void ApplyLook() {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
    // The standard palette, not a dark desktop theme: an engineering panel is light.
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font = QApplication::font();
    font.setPointSizeF(9);
    QApplication::setFont(font);
    // Windows go when the program says so, never by their close button.
    QApplication::setQuitOnLastWindowClosed(false);
}

}  // namespace qtui
