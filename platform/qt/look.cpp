#include "platform/qt/look.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

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

bool TranslateQt(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool TranslateProgram(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(name, folder)) return QCoreApplication::installTranslator(translator);
        delete translator;
    }
    return false;
}

}  // namespace qtui
