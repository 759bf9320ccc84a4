// Making the controls of a fixed layout.
#include "designcontrols.h"

QLabel *makeLabel(QWidget *parent, const char *name, const char *caption, QRect geometry)
{
    auto *label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QLineEdit *makeField(QWidget *parent, const char *name, const char *text, QRect geometry)
{
    auto *field = new QLineEdit(QString::fromUtf8(text), parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(geometry);
    return field;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, QRect geometry)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}
