// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "host/Komputer.h"

#include "exchange/Module1.h"
#include "host/PictureFile.h"
#include "pace/Pause.h"
#include "runtime/Convert.h"
#include "runtime/PropertyBag.h"
#include "runtime/RuntimeError.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

using namespace Module1;

const QString Komputer::Receiving = QStringLiteral("Receive");
const QString Komputer::Saved = QStringLiteral("Saved!");
const QString Komputer::Found = QStringLiteral("Found!");

namespace {

// A picture is read once for all hosts.
QPixmap readPicture(const QString &path)
{
    QPixmap picture;
    if (QPixmapCache::find(path, &picture))
        return picture;
    picture = QPixmap::fromImage(PictureFile::read(path, "ppm"));
    if (!picture.isNull())
        QPixmapCache::insert(path, picture);
    return picture;
}

// Pictures come in a 1x and a 2x version, drawn from the same source, so that they stay
// crisp on high-density screens.
QPixmap loadPicture(const QString &name)
{
    const QString base = QStringLiteral(":/host/pictures/") + name;
    if (qApp->devicePixelRatio() > 1.0) {
        QPixmap doubled = readPicture(base + QStringLiteral("@2x.ppm"));
        if (!doubled.isNull()) {
            doubled.setDevicePixelRatio(2.0);
            return doubled;
        }
    }
    QPixmap single = readPicture(base + QStringLiteral(".ppm"));
    single.setDevicePixelRatio(1.0);
    return single;
}

} // namespace

Komputer::Komputer(QWidget *parent)
    : QWidget(parent), m_Indikator(new QLabel(this)), m_Nyala(new QLabel(this)),
      m_picture(loadPicture(QStringLiteral("komputer")))
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFocusPolicy(Qt::StrongFocus);
    resize(DesignSize);

    // A label ignores the mouse, so a click on the lit screen or the word reaches the host.
    m_Nyala->setGeometry(NyalaGeometry);
    m_Nyala->setPixmap(loadPicture(QStringLiteral("nyala")));
    m_Nyala->hide();

    // A fixed size, as designed: a new word then asks no one to lay the host out again.
    m_Indikator->setGeometry(IndikatorGeometry);
    m_Indikator->setFixedSize(IndikatorGeometry.size());
    m_Indikator->setText(QStringLiteral("Label1"));
    m_Indikator->setAlignment(Qt::AlignCenter);
    QFont caption(QStringLiteral("Arial"));
    caption.setPointSize(12);
    caption.setBold(true);
    m_Indikator->setFont(caption);
    QPalette yellow = m_Indikator->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 0));
    m_Indikator->setPalette(yellow);
    m_Indikator->raise(); // the word stays readable above the lit screen
    describe();
}

void Komputer::setNama(const QString &New_Nama)
{
    m_Nama = New_Nama;
    describe();
    Q_EMIT PropertyChanged(QStringLiteral("Nama"));
}

void Komputer::setMAC(const QString &New_MAC)
{
    m_MAC = New_MAC;
    Q_EMIT PropertyChanged(QStringLiteral("MAC"));
}

void Komputer::setState(bool New_State)
{
    const bool wasLit = isLit();
    m_State = New_State;
    m_Nyala->setVisible(m_State);
    if (isLit() != wasLit) {
        // Selection is the checked state of a radio button to a screen reader.
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    Q_EMIT PropertyChanged(QStringLiteral("State"));
}

void Komputer::setIP(const QString &New_IP)
{
    m_IP = New_IP;
    describe();
    Q_EMIT PropertyChanged(QStringLiteral("IP"));
}

QVariant Komputer::Hapus(QString pIP)
{
    m_ArpTable.remove(pIP);
    describe();
    return QVariant();
}

QString Komputer::Ambil(QString pIP) const
{
    return m_ArpTable.macOf(pIP);
}

void Komputer::setJumlah(qint16 New_Jumlah)
{
    m_ArpTable.setCount(New_Jumlah);
    describe();
    Q_EMIT PropertyChanged(QStringLiteral("Jumlah"));
}

qint16 Komputer::Ada(QString pIP) const
{
    return m_ArpTable.find(pIP);
}

QVariant Komputer::Tambah(QString pIP, QString pMAC)
{
    m_ArpTable.add(pIP, pMAC);
    describe();
    return QVariant();
}

QVariant Komputer::AmbilIP(qint16 Idx) const
{
    return QVariant(m_ArpTable.ipAt(Idx));
}

QVariant Komputer::AmbilMAC(qint16 Idx) const
{
    return QVariant(m_ArpTable.macAt(Idx));
}

QString Komputer::Caption() const
{
    return m_Indikator->text();
}

void Komputer::setCaption(const QString &New_Caption)
{
    showWord(New_Caption);
    Q_EMIT PropertyChanged(QStringLiteral("Caption"));
}

void Komputer::Receive()
{
    flash(Receiving);
    if (Ada(Packet.SenderIP) == 0) {
        flash(Saved);
        Tambah(Packet.SenderIP, Packet.SenderMAC);
    }
    switch (Packet.Operation) {
    case 1:
        // The own address comes first: a target answers for itself whatever its table holds.
        if (m_IP == Packet.TargetIP)
            answer(2, m_MAC);
        else if (Ada(Packet.TargetIP) > 0)
            answer(3, Ambil(Packet.TargetIP));
        break;
    case 2:
    case 3:
        // Every host that hears a reply keeps the resolved pair, not only the requester.
        flash(Saved);
        Tambah(Packet.TargetIP, Packet.TargetMAC);
        break;
    default:
        break;
    }
}

void Komputer::answer(quint8 operation, const QString &targetMac)
{
    // Each answer starts again from the request, so a later answer replaces an earlier one.
    Reply = Packet;
    flash(Found);
    ReplyReady = true;
    Reply.DestIP = Packet.SenderIP;
    Reply.DestMAC = Packet.SenderMAC;
    Reply.SenderIP = m_IP;
    Reply.SenderMAC = m_MAC;
    Reply.Operation = operation;
    // The MAC is the one the host held when it decided to answer: a table cleared during the
    // pause must not send every host an empty MAC for the address.
    Reply.TargetMAC = targetMac;
}

void Komputer::Delay()
{
    if (m_pause)
        m_pause->wait();
}

void Komputer::ClearEntry()
{
    m_ArpTable.clearToFirst();
    describe();
}

void Komputer::NewInstance()
{
    m_Nama = QStringLiteral("0");
    m_MAC = QStringLiteral("0");
    m_State = true;
    m_IP = QStringLiteral("0");
    m_ArpTable.setCount(0);
    describe();
}

void Komputer::LoadProperties(const PropertyBag &store)
{
    const QString zero = QStringLiteral("0");
    m_Nama = Convert::toText(store.ReadProperty(QStringLiteral("Nama"), zero));
    m_MAC = Convert::toText(store.ReadProperty(QStringLiteral("MAC"), zero));
    m_State = Convert::toBoolean(store.ReadProperty(QStringLiteral("State"), qint16(-1)));
    m_IP = Convert::toText(store.ReadProperty(QStringLiteral("IP"), zero));
    m_ArpTable.setCount(
        Convert::toInteger(store.ReadProperty(QStringLiteral("Jumlah"), qint16(0))));
    m_Indikator->setText(
        Convert::toText(store.ReadProperty(QStringLiteral("Caption"), QStringLiteral("Label1"))));
    describe();
}

void Komputer::SaveProperties(PropertyBag &store) const
{
    const QString zero = QStringLiteral("0");
    store.WriteProperty(QStringLiteral("Nama"), m_Nama, zero);
    store.WriteProperty(QStringLiteral("MAC"), m_MAC, zero);
    store.WriteProperty(QStringLiteral("State"), m_State, qint16(-1));
    store.WriteProperty(QStringLiteral("IP"), m_IP, zero);
    // QVariant has no 16-bit constructor: a plain qint16 would be stored as an int.
    store.WriteProperty(QStringLiteral("Jumlah"), QVariant::fromValue(m_ArpTable.count()),
                        QVariant::fromValue(qint16(0)));
    store.WriteProperty(QStringLiteral("Caption"), m_Indikator->text(), QStringLiteral("Label1"));
}

bool Komputer::isLit() const
{
    return !m_Nyala->isHidden();
}

void Komputer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (hasFocus())
        paintFocusFrame(painter);
}

void Komputer::paintFocusFrame(QPainter &painter)
{
    // An outline only, two pixels inside the edge: a fill would read as a second selection.
    // It shows whenever the host has the focus, also the focus it gets as the window opens.
    QPen pen(palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void Komputer::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void Komputer::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button over the host.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT Click();
}

void Komputer::keyPressEvent(QKeyEvent *event)
{
    // Space selects the focused host, as it presses a focused button.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        Q_EMIT Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Komputer::flash(const QString &word)
{
    showWord(word);
    Q_EMIT WordFlashed(word);
    Delay();
    showWord(QString());
}

void Komputer::showWord(const QString &word)
{
    m_Indikator->setText(word);
}

void Komputer::describe()
{
    // With no assistive tool listening there is nobody to tell, and the interface builds the
    // name and the description when a reader asks. A reader that listens hears of a real change
    // only; selection is the checked state.
    if (!QAccessible::isActive())
        return;
    tell(QAccessible::NameChanged, m_toldName, m_Nama);
    tell(QAccessible::DescriptionChanged, m_toldDescription, description());
}

void Komputer::tell(QAccessible::Event change, QString &told, const QString &now)
{
    if (told == now)
        return;
    told = now;
    QAccessibleEvent event(this, change);
    QAccessible::updateAccessibility(&event);
}

QString Komputer::description() const
{
    return tr("IP address %1.").arg(m_IP) + u' ' + tableInBrief();
}

QString Komputer::entries(int count)
{
    return count == 1 ? tr("1 entry") : tr("%n entries", nullptr, count);
}

QString Komputer::tableInBrief() const
{
    const qint16 n = Jumlah();
    if (n < 1)
        return tr("Its ARP table is empty.");
    const QString count = entries(n);
    // A count set beyond the storage names no entry; reading one would be a subscript error.
    if (n > storageSize())
        return tr("Its ARP table holds %1.").arg(count);
    return tr("Its ARP table holds %1, the last %2 at %3.")
        .arg(count, m_ArpTable.ipAt(n), m_ArpTable.macAt(n));
}
