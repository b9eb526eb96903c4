// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class QObject;

// The per-instance store of a host's design-time values. Names match without regard to
// letter case; a read of an absent name gives the default the reader supplies.
class PropertyBag
{
public:
    PropertyBag() = default;

    // The values a layout stored on the object as dynamic properties, such as "nama".
    static PropertyBag fromDynamicProperties(const QObject &object);

    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) const;
    // A value equal to its default is still written: a saved store shows every name.
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);

    // The stored names in the order in which they were first written.
    QStringList names() const;

private:
    const QVariant *find(const QString &name) const;

    std::vector<std::pair<QString, QVariant>> m_values;
};
