// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility/AccessibleNetwork.h"

#include "window/fUtama.h"

AccessibleNetwork::AccessibleNetwork(const fUtama &window)
    : QAccessibleWidget(window.networkArea(), QAccessible::Grouping), m_window(window)
{
}

int AccessibleNetwork::childCount() const
{
    return fUtama::HostCount;
}

QAccessibleInterface *AccessibleNetwork::child(int index) const
{
    if (index < 0 || index >= fUtama::HostCount)
        return nullptr;
    return QAccessible::queryAccessibleInterface(&m_window.host(index));
}

int AccessibleNetwork::indexOfChild(const QAccessibleInterface *child) const
{
    for (int i = 0; child && i < fUtama::HostCount; ++i) {
        if (child->object() == &m_window.host(i))
            return i;
    }
    return -1;
}
