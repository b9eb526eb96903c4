// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/AccessibleNetwork.h"

#include "host/AccessibleKomputer.h"
#include "host/Komputer.h"
#include "window/AccessibleBox.h"

#include <QLineEdit>

#include <algorithm>

namespace {

QAccessibleInterface *create(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("fUtama"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("Announcer"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    if (className == QLatin1String("QFrame") && widget->objectName() == QLatin1String("Frame1"))
        return new AccessibleNetwork(widget);
    if (auto *box = qobject_cast<QLineEdit *>(widget); box && box->isReadOnly())
        return new AccessibleBox(box);
    if (widget->objectName() == QLatin1String("Narration"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    return nullptr;
}

} // namespace

AccessibleNetwork::AccessibleNetwork(QWidget *area) : QAccessibleWidget(area, QAccessible::Grouping)
{
}

QList<Komputer *> AccessibleNetwork::hosts() const
{
    // The hosts' object names end in their place in the chain; their stacking order differs.
    QList<Komputer *> hosts = widget()->findChildren<Komputer *>(Qt::FindDirectChildrenOnly);
    std::sort(hosts.begin(), hosts.end(), [](const Komputer *a, const Komputer *b) {
        return a->objectName() < b->objectName();
    });
    return hosts;
}

int AccessibleNetwork::childCount() const
{
    return static_cast<int>(hosts().size());
}

QAccessibleInterface *AccessibleNetwork::child(int index) const
{
    // Out of range, value() gives no host and so no interface.
    return QAccessible::queryAccessibleInterface(hosts().value(index));
}

int AccessibleNetwork::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    return static_cast<int>(hosts().indexOf(qobject_cast<Komputer *>(child->object())));
}

void AccessibleNetwork::install()
{
    QAccessible::installFactory(create); // Qt keeps a factory once, however often installed
    AccessibleKomputer::install();
}
