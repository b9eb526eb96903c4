// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class fUtama;

// To a screen reader the network area is a grouping of the hosts, in their order along the
// chain; the segments between them say nothing a reader could use and are left out.
class AccessibleNetwork : public QAccessibleWidget
{
public:
    explicit AccessibleNetwork(const fUtama &window);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    const fUtama &m_window;
};
