// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Start-up: the launcher, then the event loop until the last window is closed.
#include "frmmain.h"
#include "pendulumicon.h"
#include "qttranslations.h"
#include "simulators.h"
#include "uifont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#ifdef PENDULUM_PAGE_FILES
#include "fallbackfonts.h"
#include "textinput.h"

#include <emscripten.h>
#endif

namespace {

// What Qt says while it connects to the display, held back until it is clear whether a
// display could be opened at all.
std::vector<std::pair<QtMsgType, QString>> startupMessages;
QMessageLogContext startupContext;

// When no display can be opened Qt gives up with a fatal message and aborts. Instead the
// program says so in one line and ends with status 1.
void startupMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fputs("pendulum: 画面を開けません (cannot open a display: check DISPLAY and "
                   "QT_QPA_PLATFORM)\n",
                   stderr);
        // Qt's own reason, a line each: what it said while trying ("could not connect to
        // display :1", "Could not find the Qt platform plugin"), not the closing advice to
        // reinstall, which is given only when it said nothing else.
        bool reasonGiven = false;
        for (const auto &[heldType, held] : startupMessages)
            if (heldType != QtDebugMsg && heldType != QtInfoMsg) {
                std::fprintf(stderr, "pendulum: Qt: %s\n", qPrintable(held.simplified()));
                reasonGiven = true;
            }
        if (!reasonGiven)
            std::fprintf(stderr, "pendulum: Qt: %s\n", qPrintable(message.simplified()));
        std::_Exit(1);
    }
    startupMessages.emplace_back(type, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // Under X11 the windows send their small, frequent screen updates through the connection
    // rather than shared memory: that saves the server's completion event, and the wake-ups it
    // costs, on every update.
    qputenv("QT_XCB_NO_MITSHM", "1");
    // The program reads no command line: Qt gets only the program's name, so none of its
    // own options (-stylesheet, -reverse, -qwindowgeometry, ...) applies.
    int qtArgc = argc > 0 ? 1 : 0;
    char *qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};

    const QtMessageHandler previous = qInstallMessageHandler(startupMessageHandler);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    for (const auto &[type, message] : startupMessages)
        qt_message_output(type, startupContext, message);
    startupMessages.clear();

    QCoreApplication::setApplicationName(QStringLiteral("pendulum"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PENDULUM_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("pendulum"));
#ifdef PENDULUM_PAGE_FILES
    // In the browser the page hands the program the font and Qt's catalogue it carries.
    addFontsFrom(QStringLiteral(PENDULUM_PAGE_FILES "/fonts"));
    fetchFallbackFontsWhenNeeded(QStringLiteral(PENDULUM_PAGE_FILES "/fonts"));
    takeTextFromThePage();
    installJapaneseQtTexts(app, QStringLiteral(PENDULUM_PAGE_FILES "/translations"));
    // There exec() never returns: it hands the program to the page's event loop, and Qt's
    // quit would exit an event loop that exec() left on a stack long unwound. The program ends
    // when its last window closes, as on the desktop, by ending itself once that event is
    // done; the page learns of it (Module.onExit) and says so.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app,
                     [] { QTimer::singleShot(0, [] { emscripten_force_exit(0); }); });
#else
    installJapaneseQtTexts(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
#endif
    // The windows set their font themselves; this one is for what Qt makes on its own, such
    // as the fields' context menus.
    QApplication::setFont(uiFont());
    if (!japaneseFontInstalled())
        std::fputs(
            "pendulum: 日本語フォントがありません (no Japanese font: install the IPA P Gothic "
            "font, Debian's fonts-ipafont-gothic)\n",
            stderr);
    app.setWindowIcon(pendulumIcon());
    Simulators simulators;
    frmMain launcher(simulators);
    launcher.show();
    return app.exec();
}
