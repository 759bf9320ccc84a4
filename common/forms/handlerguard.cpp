// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The run-time error dialog.
#include "handlerguard.h"

#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace {

const QString kBoxName = QStringLiteral("runtimeErrorBox");

// The dialog that shows an error, and keeps it.
class RuntimeErrorBox : public QMessageBox {
public:
    RuntimeErrorBox(const RuntimeError &error, const QString &text, QWidget *window)
        : QMessageBox(QMessageBox::Critical, QStringLiteral("実行時エラー"), text, QMessageBox::Ok,
                      window),
          error(error)
    {
        window->installEventFilter(this);
    }
    const RuntimeError error;

protected:
    // While the box is up, its window hands the keyboard on to it whenever it is activated (a
    // click or a tap on the window or its title bar), as to a modal dialog: Enter and Escape
    // still answer the box, while the window can still be moved and closed.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && isVisible())
            QTimer::singleShot(0, this, [this] {
                raise();
                activateWindow();
            });
        return QMessageBox::eventFilter(watched, event);
    }
};

} // namespace

void showRuntimeError(QWidget *window, const RuntimeError &error, const FieldNamer &fieldOf)
{
    QString text = QString::fromUtf8(errorKindMessage(error.kind()));
    if (!error.fields().empty()) {
        QStringList quoted;
        for (const std::string &input : error.fields())
            quoted << QStringLiteral("「%1」").arg(QString::fromStdString(fieldOf(input)));
        text += QStringLiteral("\n入力欄%1の値を確かめてください。")
                    .arg(quoted.join(QStringLiteral("と")));
    }
    auto *box = new RuntimeErrorBox(error, text, window);
    box->setObjectName(kBoxName);
    box->setFont(window->font());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);

    // When the dialog is dismissed, the keyboard goes to the first field it names, its text
    // selected for retyping, or, for an error no field caused, back where it was.
    QPointer<QLineEdit> named;
    if (!error.fields().empty()) {
        const QString name = QString::fromStdString(fieldOf(error.fields().front()));
        for (QLineEdit *field : window->findChildren<QLineEdit *>())
            if (field->accessibleName() == name)
                named = field;
    }
    const QPointer<QWidget> focused = window->focusWidget();

    // Not modal: a window blocked by a modal dialog cannot be closed from its title bar. Its
    // controls are switched off instead until the dialog is dismissed.
    QList<QPointer<QWidget>> disabled;
    for (QWidget *control : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow() || !control->isEnabled())
            continue;
        control->setEnabled(false);
        disabled << control;
    }
    QObject::connect(box, &QDialog::finished, window, [disabled, named, focused] {
        for (const QPointer<QWidget> &control : disabled)
            if (control)
                control->setEnabled(true);
        if (named) {
            named->setFocus(Qt::OtherFocusReason);
            named->selectAll();
        } else if (focused) {
            focused->setFocus(Qt::OtherFocusReason);
        }
    });
    box->show();
}

QWidget *openRuntimeError(const QWidget *window)
{
    return window->findChild<QMessageBox *>(kBoxName, Qt::FindDirectChildrenOnly);
}

std::optional<RuntimeError> shownRuntimeError(const QWidget *window)
{
    if (const auto *box = dynamic_cast<const RuntimeErrorBox *>(openRuntimeError(window)))
        return box->error;
    return std::nullopt;
}
