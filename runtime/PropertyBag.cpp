// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/PropertyBag.h"

#include <QObject>

PropertyBag PropertyBag::fromDynamicProperties(const QObject &object)
{
    PropertyBag bag;
    for (const QByteArray &name : object.dynamicPropertyNames()) {
        // Qt's own dynamic properties start with "_q_" and are not design data.
        if (name.startsWith("_q_"))
            continue;
        const QString key = QString::fromUtf8(name);
        bag.WriteProperty(key, object.property(name.constData()), QVariant());
    }
    return bag;
}

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const QVariant *value = find(name);
    return value ? *value : defaultValue;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value,
                                const QVariant & /*defaultValue*/)
{
    for (auto &[key, stored] : m_values) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            stored = value;
            return;
        }
    }
    m_values.emplace_back(name, value);
}

QStringList PropertyBag::names() const
{
    QStringList list;
    for (const auto &entry : m_values)
        list << entry.first;
    return list;
}

const QVariant *PropertyBag::find(const QString &name) const
{
    for (const auto &[key, stored] : m_values) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return &stored;
    }
    return nullptr;
}
