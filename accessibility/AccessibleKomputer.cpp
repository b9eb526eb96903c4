// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/AccessibleKomputer.h"

#include "host/Komputer.h"

AccessibleKomputer::AccessibleKomputer(Komputer *host)
    : QAccessibleWidget(host, QAccessible::RadioButton)
{
}

Komputer *AccessibleKomputer::host() const
{
    return static_cast<Komputer *>(widget());
}

// Built when a reader asks, so it is current even when no reader listened as it changed.
QString AccessibleKomputer::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return host()->Nama();
    if (t == QAccessible::Description)
        return host()->description();
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleKomputer::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = host()->isLit();
    return state;
}

QStringList AccessibleKomputer::actionNames() const
{
    // Press first: it is the action a reader offers as the default.
    return QStringList{pressAction()} << QAccessibleWidget::actionNames();
}

void AccessibleKomputer::doAction(const QString &name)
{
    if (name == pressAction())
        Q_EMIT host()->Click();
    else
        QAccessibleWidget::doAction(name);
}

QStringList AccessibleKomputer::keyBindingsForAction(const QString &name) const
{
    if (name == pressAction())
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(name);
}
