// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "host/AccessibleKomputer.h"

#include "host/Komputer.h"

namespace {

QAccessibleInterface *create(const QString &className, QObject *object)
{
    if (className == QLatin1String("Komputer") && object && object->isWidgetType())
        return new AccessibleKomputer(static_cast<Komputer *>(object));
    return nullptr;
}

} // namespace

AccessibleKomputer::AccessibleKomputer(Komputer *host)
    : QAccessibleWidget(host, QAccessible::Button)
{
}

QStringList AccessibleKomputer::actionNames() const
{
    return QAccessibleWidget::actionNames() << pressAction();
}

void AccessibleKomputer::doAction(const QString &name)
{
    if (name == pressAction())
        Q_EMIT static_cast<Komputer *>(widget())->Click();
    else
        QAccessibleWidget::doAction(name);
}

QStringList AccessibleKomputer::keyBindingsForAction(const QString &name) const
{
    if (name == pressAction())
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(name);
}

void AccessibleKomputer::install()
{
    static const bool installed = (QAccessible::installFactory(create), true);
    Q_UNUSED(installed)
}
