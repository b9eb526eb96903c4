// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <vector>

struct ArpEntry
{
    QString IP;
    QString MAC;

    bool operator==(const ArpEntry &) const = default;
};

// A host's ARP table: entries numbered from 1 and a count of those in use. The count is
// normally the size of the storage, but a direct set of the count (or a count loaded from
// stored design data) can make the two disagree; an entry outside the storage is then a
// subscript error, exactly as an index below 1 is.
class ArpTable
{
public:
    qint16 count() const { return m_count; }
    // Replaces the count without any check and without resizing the storage.
    void setCount(qint16 count) { m_count = count; }
    int storageSize() const { return static_cast<int>(m_entries.size()); }

    // Index of ip (exact text), the highest one when it occurs more than once, or 0.
    qint16 find(const QString &ip) const;
    // Updates the MAC of a known ip in place, or appends a new entry.
    void add(const QString &ip, const QString &mac);
    // Deletes the entry of ip, shifting the later entries down; nothing if ip is absent.
    void remove(const QString &ip);
    // The MAC stored for ip, or the empty text.
    QString macOf(const QString &ip) const;
    // An entry by position; an index above the count gives the empty text.
    QString ipAt(qint16 index) const;
    QString macAt(qint16 index) const;
    // Keeps entry 1 only (an empty one if the table was never filled).
    void clearToFirst();

private:
    const ArpEntry &entry(qint16 index) const;
    ArpEntry &entry(qint16 index);
    // Storage for indices 1 to size, keeping the entries in that range.
    void resize(qint16 size);

    qint16 m_count = 0;
    std::vector<ArpEntry> m_entries;
};
