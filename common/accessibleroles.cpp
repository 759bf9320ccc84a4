// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The accessible roles of the forms and the canvases.
#include "accessibleroles.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

QAccessibleInterface *accessibleWithRole(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("Canvas"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (widget->isWindow() &&
        (className == QLatin1String("frmMain") || className == QLatin1String("frmSingle") ||
         className == QLatin1String("frmDouble")))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void useAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleWithRole);
        return true;
    }();
    (void)installed;
}
