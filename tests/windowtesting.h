// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// What the window tests share: finding a window's error dialog, and checking a control against
// its design and the Tab order.
#pragma once

#include "programclock.h"
#include "testsupport.h"
#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSet>
#include <QTest>

#include <functional>
#include <utility>

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

// A control at its design place (twips) with its design text.
inline bool hasDesign(const QWidget *control, QRect design, const QString &text)
{
    if (control->geometry() != twipsRect(design.x(), design.y(), design.width(), design.height()))
        return false;
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text() == text;
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text() == text;
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text() == text;
    return text.isEmpty();
}

// Every field takes a click at each inner corner of its drawn rectangle, and every caption's
// text fits, with two pixels to spare, the part of its label that no field covers. Returns
// what fails, or nothing.
inline QString fieldsAndCaptionsClash(const QWidget *window)
{
    const QList<QLineEdit *> fields = window->findChildren<QLineEdit *>();
    for (const QLineEdit *field : fields) {
        const QRect inner = field->geometry().adjusted(0, 0, -1, -1);
        for (const QPoint corner :
             {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()})
            if (window->childAt(corner) != field)
                return field->objectName() + QStringLiteral(" does not take a click at its corner");
    }
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->wordWrap() || label->text().isEmpty())
            continue;
        int uncovered = label->width();
        for (const QLineEdit *field : fields)
            if (field->geometry().intersects(label->geometry()))
                uncovered = std::min(uncovered, field->x() - label->x());
        const qreal advance = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        if (advance + 2 > uncovered)
            return QStringLiteral("%1 \"%2\" is %3 pixels wide in %4")
                .arg(label->objectName(), label->text())
                .arg(advance)
                .arg(uncovered);
    }
    return {};
}

// The accessible name two of the window's fields share, or nothing: the name is how an error
// finds the field it names and how the error dialog gives it the keyboard.
inline QString sharedFieldName(const QWidget *window)
{
    QSet<QString> names;
    for (const QLineEdit *field : window->findChildren<QLineEdit *>()) {
        const QString name = field->accessibleName();
        if (names.contains(name))
            return name;
        names.insert(name);
    }
    return {};
}

// Of the named events (a click, a signal emitted), the first after which the window does not
// wait for the next frame to show what its handler changed, or nothing.
inline QString handlerWithoutFrame(const QWidget *window,
                                   const QList<std::pair<QString, std::function<void()>>> &events)
{
    for (const auto &[name, event] : events) {
        ProgramClock::sendFrameNow();
        event();
        if (!ProgramClock::waiting(window))
            return name;
    }
    return {};
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
