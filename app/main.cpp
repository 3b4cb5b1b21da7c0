// zan1steuerung: the operator window.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "app/ZAN1BSteuerung.h"
#include "app/resource.h"
#include "app/sprache.h"
#include "errors/VEK_errorV3.h"
#include "platform/qt/look.h"
#include "platform/qt/qtview.h"
#include "platform/userint/view.h"
#include "platform/version.h"

namespace {

constexpr const char* kHelp =
    "usage: zan1steuerung [--help | --version] [--language de|en] [Qt options]\n"
    "The operator window for ZAN-1 controller modules on a serial line.\n"
    "It speaks German for a German locale and without one (C, POSIX), English for\n"
    "any other (LANGUAGE, LC_ALL, LC_MESSAGES, LANG); --language chooses instead.\n"
    "Settings are kept in zan1steuerung.ini in the current directory; the port map\n"
    "zan1ports.ini is read from there too (section [Ports], e.g. com1 = /dev/ttyUSB0).\n"
    "Options of Qt itself, such as -platform offscreen, are passed on to Qt.\n";

constexpr int kUsageError = 2;

// Where the English texts are: installed beside the program, or in the build
// it was made in. Both relative to the program, so an installed one never
// picks up a build's texts.
QStringList TranslationFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QStringLiteral(ZAN1_TRANSLATIONS_FROM_PROGRAM)),
            program.filePath(QStringLiteral("../i18n"))};
}

void Speak(Sprache sprache) {
    if (sprache == Sprache::Englisch) {
        VEK_Fehlersprache(2);
        if (!qtui::TranslateProgram(QStringLiteral("zan1steuerung_en"), TranslationFolders())) {
            std::fputs("zan1steuerung: the English texts are not installed\n", stderr);
        }
        return;
    }
    // The window speaks German, so Qt's own dialogs and buttons do too.
    if (!qtui::TranslateQt(QLocale(QLocale::German, QLocale::Germany))) {
        std::fputs("zan1steuerung: Qt's German texts are not installed (qt6-translations-l10n)\n",
                   stderr);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so they work without a display.
    Sprache sprache = SpracheAusUmgebung(std::getenv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("zan1steuerung %s\n", ProgramVersion());
            return 0;
        }
        if (arg == "--language" || arg.starts_with("--language=")) {
            const std::string_view wert =
                arg == "--language" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(11);
            const std::optional<Sprache> gewaehlt = SpracheAusArgument(wert);
            if (!gewaehlt) {
                std::fprintf(stderr, "zan1steuerung: --language takes de or en\n%s", kHelp);
                return kUsageError;
            }
            sprache = *gewaehlt;
        }
    }
    QApplication application(argc, argv);
    QApplication::setDesktopFileName("de.vek.zan1steuerung");
    QApplication::setWindowIcon(QIcon::fromTheme("zan1steuerung"));
    Speak(sprache);
    qtui::QtView view;
    userint::SetView(&view);
    userint::SetDialogs(&view);
    RegisterZan1Resource();
    const int result = ProgramMain();
    userint::SetDialogs(nullptr);
    userint::SetView(nullptr);
    return result;
}
