// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class Komputer;

// To a screen reader the network area is a grouping of the hosts, in their order along the
// chain; the segments between them say nothing a reader could use and are left out.
class AccessibleNetwork : public QAccessibleWidget
{
public:
    explicit AccessibleNetwork(QWidget *area);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // The factory for the window's own parts: the window itself (a window, not a plain
    // client area, so that a reader follows the events inside it), the network area, the
    // read-only identity boxes, the narration's status bar and its voices; and the hosts'
    // own. Installed once per program.
    static void install();

private:
    QList<Komputer *> hosts() const;
};
