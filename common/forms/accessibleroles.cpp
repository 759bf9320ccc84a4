// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// The accessible roles of the forms and the canvases.
#include "accessibleroles.h"

#include "canvas.h"
#include "form.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

QAccessibleInterface *accessibleWithRole(const QString &, QObject *object)
{
    if (auto *canvas = qobject_cast<Canvas *>(object))
        return new QAccessibleWidget(canvas, QAccessible::Graphic);
    if (auto *form = qobject_cast<Form *>(object); form && form->isWindow())
        return new QAccessibleWidget(form, QAccessible::Window);
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
