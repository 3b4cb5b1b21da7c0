// zan1steuerung: the operator window.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <cstdio>
#include <string_view>

#include "app/ZAN1BSteuerung.h"
#include "app/resource.h"
#include "platform/qt/look.h"
#include "platform/qt/qtview.h"
#include "platform/userint/view.h"
#include "platform/version.h"

namespace {

constexpr const char* kHelp =
    "usage: zan1steuerung [--help | --version] [Qt options]\n"
    "The operator window for ZAN-1 controller modules on a serial line.\n"
    "Settings are kept in zan1steuerung.ini in the current directory; the port map\n"
    "zan1ports.ini is read from there too (section [Ports], e.g. com1 = /dev/ttyUSB0).\n"
    "Options of Qt itself, such as -platform offscreen, are passed on to Qt.\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so they work without a display.
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
    }
    QApplication application(argc, argv);
    QApplication::setDesktopFileName("de.vek.zan1steuerung");
    QApplication::setWindowIcon(QIcon::fromTheme("zan1steuerung"));
    // The window speaks German, so Qt's own dialogs and buttons do too.
    if (!qtui::TranslateQt(QLocale(QLocale::German, QLocale::Germany))) {
        std::fputs("zan1steuerung: Qt's German texts are not installed (qt6-translations-l10n)\n",
                   stderr);
    }
    qtui::QtView view;
    userint::SetView(&view);
    userint::SetDialogs(&view);
    RegisterZan1Resource();
    const int result = ProgramMain();
    userint::SetDialogs(nullptr);
    userint::SetView(nullptr);
    return result;
}
