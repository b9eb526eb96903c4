// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class Komputer;

// To a screen reader a host is a radio button named after the host, checked while it is
// selected: pressing it selects the host, as a click or Space does. Its picture and its word
// are not children of their own: the narration tells what the words say, and the description,
// built from the host when a reader asks, holds its address and its table in brief.
class AccessibleKomputer : public QAccessibleWidget
{
public:
    explicit AccessibleKomputer(Komputer *host);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QStringList actionNames() const override;
    void doAction(const QString &name) override;
    QStringList keyBindingsForAction(const QString &name) const override;

private:
    Komputer *host() const;
};
