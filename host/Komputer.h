// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "host/ArpTable.h"

#include <QAccessible>
#include <QVariant>
#include <QWidget>

class QLabel;
class QPainter;
class Pause;
class PropertyBag;

// One simulated computer on the segment: its identity, its ARP table, the lit screen that
// marks it as selected, the activity word on that screen, and its reaction to the packet in
// flight. The window reaches a host only through these members; a host reaches the window
// only through its signals.
class Komputer : public QWidget
{
    Q_OBJECT
    Q_CLASSINFO("ClassId", "Kavora.Komputer")
    Q_PROPERTY(QString Nama READ Nama WRITE setNama)
    Q_PROPERTY(QString MAC READ MAC WRITE setMAC)
    Q_PROPERTY(bool State READ State WRITE setState)
    Q_PROPERTY(QString IP READ IP WRITE setIP)
    Q_PROPERTY(qint16 Jumlah READ Jumlah WRITE setJumlah)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    // The look, in pixels of the control's own coordinates.
    static constexpr QSize DesignSize{148, 157};
    static constexpr QRect IndikatorGeometry{47, 34, 61, 23};
    static constexpr QRect NyalaGeometry{42, 16, 70, 52};
    // The words a host flashes on its screen, as the screen shows them.
    static const QString Receiving;
    static const QString Saved;
    static const QString Found;

    explicit Komputer(QWidget *parent = nullptr);

    QString Nama() const { return m_Nama; }
    void setNama(const QString &New_Nama);
    QString MAC() const { return m_MAC; }
    void setMAC(const QString &New_MAC);
    bool State() const { return m_State; }
    void setState(bool New_State);
    QString IP() const { return m_IP; }
    void setIP(const QString &New_IP);

    QVariant Hapus(QString pIP);
    QString Ambil(QString pIP) const;
    qint16 Jumlah() const { return m_ArpTable.count(); }
    void setJumlah(qint16 New_Jumlah);
    qint16 Ada(QString pIP) const;
    QVariant Tambah(QString pIP, QString pMAC);
    QVariant AmbilIP(qint16 Idx) const;
    QVariant AmbilMAC(qint16 Idx) const;
    QString Caption() const;
    void setCaption(const QString &New_Caption);
    void Receive();
    void Delay();
    // The pause Delay makes; a host that was given none (on its own, outside a window) makes none.
    void setPause(Pause *pause) { m_pause = pause; }
    void ClearEntry();

    // Design-time hooks: a host placed anew, a host built from stored values, a host whose
    // values are written out. They set the member values directly and send no notices.
    void NewInstance();
    void LoadProperties(const PropertyBag &store);
    void SaveProperties(PropertyBag &store) const;

    // How many entries the table has storage for; it can differ from Jumlah.
    int storageSize() const { return m_ArpTable.storageSize(); }
    bool isLit() const;

    QSize sizeHint() const override { return DesignSize; }

    // A table's size as a reader hears it: "1 entry", "3 entries".
    static QString entries(int count);
    // The address and the table in brief, which a student hears on coming back to the host.
    QString description() const;

Q_SIGNALS:
    void Click();
    // A word goes on the screen for one pause; the window tells a listener what it means.
    void WordFlashed(const QString &word);
    // Sent by every property setter, also when the value does not change.
    void PropertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Shows an activity word straight on the screen, pauses, and clears it again.
    void flash(const QString &word);
    void showWord(const QString &word);
    void answer(quint8 operation, const QString &targetMac);
    void describe();
    void tell(QAccessible::Event change, QString &told, const QString &now);
    QString tableInBrief() const;
    void paintFocusFrame(QPainter &painter);

    ArpTable m_ArpTable; // holds the count behind Jumlah as well
    QString m_IP;
    bool m_State = false;
    QString m_Nama;
    QString m_MAC;

    // What a listening reader was last told of the name and the description.
    QString m_toldName;
    QString m_toldDescription;
    Pause *m_pause = nullptr;
    QLabel *m_Indikator;
    QLabel *m_Nyala;
    QPixmap m_picture;
    bool m_pressed = false;
};
