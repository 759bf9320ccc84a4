// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Text from the page (start.js): Qt 6.4 reads the keyboard from the keys on its canvas, which is
// not a text box, so text that comes without a key never reaches it. The page keeps an invisible
// text box over the field that has the keyboard, passes every key on to Qt and hands the rest
// here: what an input method is composing, shown in the field as it would be on the desktop,
// and the text it commits.
#include "textinput.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QWidget>

#include <emscripten.h>
#include <emscripten/val.h>

#include <string>

namespace {

// Tells the page whether a field has the keyboard and, if so, where it lies on the page.
// (Not formatted as C++, which would split the script's operators.)
// clang-format off
EM_JS(void, tellPageFieldHasKeyboard, (int has, int x, int y, int width, int height), {
    Module.fieldHasKeyboard(has !== 0, x, y, width, height);
});
// clang-format on

void keyboardMoved(QWidget *, QWidget *now)
{
    const auto *field = qobject_cast<QLineEdit *>(now);
    if (!field) {
        tellPageFieldHasKeyboard(0, 0, 0, 0, 0);
        return;
    }
    const QRect place(field->mapToGlobal(QPoint(0, 0)), field->size());
    tellPageFieldHasKeyboard(1, place.x(), place.y(), place.width(), place.height());
}

} // namespace

void takeTextFromThePage()
{
    QObject::connect(qApp, &QApplication::focusChanged, qApp, &keyboardMoved);
}

// Called by the page with the text it holds in Module.pageText: composing (1), what an input
// method shows before it commits, or committed (0).
extern "C" EMSCRIPTEN_KEEPALIVE void pendulum_textFromPage(int composing)
{
    QObject *target = QGuiApplication::focusObject();
    if (!target)
        return;
    const QString text =
        QString::fromStdString(emscripten::val::module_property("pageText").as<std::string>());
    if (composing) {
        // Underlined, with the cursor at its end, as input methods show it.
        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        QInputMethodEvent event(text,
                                {{QInputMethodEvent::TextFormat, 0, int(text.size()), underlined},
                                 {QInputMethodEvent::Cursor, int(text.size()), 1, QVariant()}});
        QCoreApplication::sendEvent(target, &event);
    } else {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(target, &event);
    }
}
