// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// libFuzzer target for the whole Run path of both simulator windows: the input's lines are the
// field texts (the first byte picks the window and the trail), then a click on Run and a few
// ticks of the timer on the real window offscreen, through the handler guard as in the program,
// and the error dialog dismissed. The only outcomes are numbers or the dialog of a typed
// run-time error; anything else escapes the guard and ends the run.
#include "doublependulum.h"
#include "frmdouble.h"
#include "frmsingle.h"
#include "handlerguard.h"
#include "singlependulum.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

QApplication *application = nullptr;

template <typename Window, typename State>
void runWindow(QList<QLineEdit *> (*fields)(Window &), const QList<QByteArray> &texts, bool trail)
{
    State state;
    Window window(state);
    if constexpr (std::is_same_v<Window, frmDouble>)
        window.Check1->setChecked(trail);
    const QList<QLineEdit *> edits = fields(window);
    for (qsizetype i = 0; i < edits.size() && i < texts.size(); ++i)
        edits[i]->setText(QString::fromUtf8(texts[i]));
    window.Command1->click();
    for (int tick = 0; tick < 4; ++tick)
        window.Timer1.tick();
    if (QWidget *dialog = openRuntimeError(&window))
        dialog->close();
}

QList<QLineEdit *> singleFields(frmSingle &w)
{
    return {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5, w.Text6};
}

QList<QLineEdit *> doubleFields(frmDouble &w)
{
    return {w.Text1, w.Text2, w.Text3, w.Text4, w.Text5,
            w.Text6, w.Text7, w.Text8, w.Text9, w.Text10};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    application = new QApplication(argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    const QList<QByteArray> texts =
        QByteArray(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1)).split('\n');
    if (selector & 1)
        runWindow<frmDouble, DoublePendulum>(doubleFields, texts, selector & 2);
    else
        runWindow<frmSingle, SinglePendulum>(singleFields, texts, false);
    return 0;
}
