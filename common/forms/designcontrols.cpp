// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Making the controls of a fixed layout.
#include "designcontrols.h"

#include <QKeyEvent>

namespace {

// A push button that Return and Enter press when it has the focus, as Space does. It is
// never a default button, so Return in a text field still presses nothing.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            animateClick();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

void placeLabel(QLabel *label, const char *name, QRect geometry)
{
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    // Fixed, as the layout is: a new text (the elapsed time at every tick) then asks no window
    // to lay itself out again.
    label->setFixedSize(geometry.size());
    // Some captions overlap their fields in the layout: a click there belongs to the field,
    // which is stacked above the caption.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->lower();
}

namespace {
const char *const kDesignText = "designText";
} // namespace

std::string designText(const QLineEdit *field)
{
    return field->property(kDesignText).toString().toStdString();
}

QLineEdit *makeField(QWidget *parent, const char *name, const char *text, QRect geometry)
{
    auto *field = new QLineEdit(QString::fromUtf8(text), parent);
    field->setObjectName(QLatin1String(name));
    field->setProperty(kDesignText, field->text());
    field->setGeometry(geometry);
    return field;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, QRect geometry)
{
    auto *button = new CommandButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}
