// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class Komputer;

// To a screen reader a host is a button named after the host: pressing it selects the host,
// as a click or Space does.
class AccessibleKomputer : public QAccessibleWidget
{
public:
    explicit AccessibleKomputer(Komputer *host);

    QStringList actionNames() const override;
    void doAction(const QString &name) override;
    QStringList keyBindingsForAction(const QString &name) const override;

    // The factory Qt asks for the interface of every object; installed once per program.
    static void install();
};
