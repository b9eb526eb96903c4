// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/AccessibleFactory.h"

#include "accessibility/AccessibleBox.h"
#include "accessibility/AccessibleKomputer.h"
#include "accessibility/AccessibleNetwork.h"
#include "accessibility/Announcer.h"
#include "host/Komputer.h"
#include "window/fUtama.h"

#include <QLineEdit>

#include <algorithm>

namespace {

// The parts that only make sense inside the window: found through the window's own members.
QAccessibleInterface *windowPart(QWidget *widget)
{
    const auto *window = qobject_cast<fUtama *>(widget->window());
    if (!window || widget == window)
        return nullptr;
    if (widget == window->networkArea())
        return new AccessibleNetwork(*window);
    auto *box = qobject_cast<QLineEdit *>(widget);
    const auto boxes = window->identityBoxes();
    if (box && (box == window->addressBox() || std::ranges::find(boxes, box) != boxes.end()))
        return new AccessibleBox(box);
    return nullptr;
}

QAccessibleInterface *create(const QString &, QObject *object)
{
    if (auto *host = qobject_cast<Komputer *>(object))
        return new AccessibleKomputer(host);
    if (auto *voice = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(voice, QAccessible::Notification);
    if (auto *bar = qobject_cast<NarrationBar *>(object))
        return new QAccessibleWidget(bar, QAccessible::StatusBar);
    if (auto *window = qobject_cast<fUtama *>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *widget = qobject_cast<QWidget *>(object))
        return windowPart(widget);
    return nullptr;
}

} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(create);
}
