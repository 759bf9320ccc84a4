// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The fallback fonts: asked of the page (start.js) when a field first shows a character that no
// font the program has can draw, added when the page hands them over.
#include "fallbackfonts.h"

#include "uifont.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>

#include <emscripten.h>

namespace {

// Asks the page for the fonts; it calls pendulum_fallbackFontsArrived when they are in the
// program's file system, or when it could not fetch them.
EM_JS(void, askPageForFallbackFonts, (), { Module.fetchFallbackFonts(); });

enum class Fallback { NotAsked, Asked, Arrived };

class FallbackFonts : public QObject {
public:
    explicit FallbackFonts(const QString &fontFolder) : folder(fontFolder) {}

    // A field takes text only while it has the focus (typed, pasted or committed by an input
    // method): from then on, each of its changes is looked at.
    void watch(QWidget *, QWidget *now)
    {
        if (auto *field = qobject_cast<QLineEdit *>(now))
            connect(field, &QLineEdit::textChanged, this, &FallbackFonts::look,
                    Qt::UniqueConnection);
    }

    void look(const QString &text)
    {
        if (state != Fallback::NotAsked || !lacksFont(text))
            return;
        state = Fallback::Asked;
        askPageForFallbackFonts();
    }

    void arrived(bool fetched)
    {
        if (!fetched) {
            // Offline, say: the next such character asks again.
            state = Fallback::NotAsked;
            return;
        }
        state = Fallback::Arrived;
        // Qt 6.4 keeps, for each script, the list of fonts it falls back to, and adding a font
        // leaves those lists as they were; removing fonts clears them. So every font the page
        // carries is added again, the new ones among them.
        QFontDatabase::removeAllApplicationFonts();
        addFontsFrom(folder);
        // Each widget lays its text out again, with the new fonts.
        const QWidgetList widgets = QApplication::allWidgets();
        for (QWidget *widget : widgets) {
            QEvent fontChange(QEvent::FontChange);
            QCoreApplication::sendEvent(widget, &fontChange);
            widget->update();
        }
    }

private:
    // Whether the text has a character that could be drawn but that no font has. Controls,
    // format characters, unassigned and private-use code points are drawn by no font there is.
    static bool lacksFont(const QString &text)
    {
        const QStringList families = QFontDatabase::families();
        const QList<uint> characters = text.toUcs4();
        return std::any_of(characters.begin(), characters.end(), [&](uint c) {
            switch (QChar::category(c)) {
            case QChar::Other_Control:
            case QChar::Other_Format:
            case QChar::Other_Surrogate:
            case QChar::Other_PrivateUse:
            case QChar::Other_NotAssigned: return false;
            default:
                return std::none_of(families.begin(), families.end(), [c](const QString &family) {
                    return QFontMetrics(QFont(family)).inFontUcs4(c);
                });
            }
        });
    }

    const QString folder;
    Fallback state = Fallback::NotAsked;
};

FallbackFonts *fallbackFonts = nullptr;

} // namespace

void fetchFallbackFontsWhenNeeded(const QString &fontFolder)
{
    fallbackFonts = new FallbackFonts(fontFolder);
    fallbackFonts->setParent(qApp);
    QObject::connect(qApp, &QApplication::focusChanged, fallbackFonts, &FallbackFonts::watch);
}

// Called by the page (start.js) with 1 once the fonts are in the program's file system, 0 when
// it could not fetch them.
extern "C" EMSCRIPTEN_KEEPALIVE void pendulum_fallbackFontsArrived(int fetched)
{
    if (fallbackFonts)
        fallbackFonts->arrived(fetched != 0);
}
