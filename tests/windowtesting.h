// What the window tests share: finding a window's error dialog, and checking a control against
// its design and the Tab order.
#pragma once

#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

inline QMessageBox *errorBox(QWidget *window)
{
    return window->findChild<QMessageBox *>(QStringLiteral("runtimeErrorBox"));
}

// The columns of a layout table: a control's name, its place in twips and its design text.
inline void addDesignColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
}

inline void addDesignRow(const char *name, int left, int top, int width, int height,
                         const char *text)
{
    QTest::newRow(name) << QString::fromLatin1(name) << QRect(left, top, width, height)
                        << QString::fromUtf8(text);
}

// A control at its design place (twips, at 15 a pixel) with its design text.
inline bool hasDesign(const QWidget *control, QRect twips, const QString &text)
{
    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    if (control->geometry() != pixels)
        return false;
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text() == text;
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text() == text;
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text() == text;
    return text.isEmpty();
}

// Presses Tab from the focused widget once for each expected widget after the first and
// returns where the focus went; the first expected widget must hold the focus at the start.
inline QList<QWidget *> tabChain(const QList<QWidget *> &expected)
{
    QList<QWidget *> visited = {QApplication::focusWidget()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    return visited;
}
