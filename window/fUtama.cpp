// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fUtama.h"

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "pace/Pause.h"
#include "runtime/Convert.h"
#include "runtime/Int16.h"
#include "runtime/PropertyBag.h"
#include "runtime/RuntimeError.h"
#include "ui_fUtama.h"
#include "window/Segment.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QTime>

using namespace Module1;

namespace {

const QString Title = QStringLiteral("Tolvane");

// A read-only box shows the start of its text, as a box the user has not scrolled does. An
// unchanged text is left alone: a screen reader would hear it deleted and inserted again.
void showText(QLineEdit &box, const QString &text)
{
    if (box.text() == text)
        return;
    box.setText(text);
    box.setCursorPosition(0);
}

// Row `index` of the view shows the pair. Qt leaves a cell alone when it is set to what it
// already holds, so a row that shows its entry sends a reader nothing; a reader that was told
// of a row asks after it later, and a row deleted and added again would be gone by then. The
// MAC column cuts a full MAC short; the whole pair is in the row's tip, and a reader, which
// speaks a row cell by cell, hears "IP ..., MAC ..." once.
void showRow(QTreeWidget &view, int index, const QString &ip, const QString &mac)
{
    QTreeWidgetItem *row = view.topLevelItem(index);
    if (!row)
        row = new QTreeWidgetItem(&view);
    row->setText(0, ip);
    row->setText(1, mac);
    const QString whole = fUtama::tr("IP %1, MAC %2").arg(ip, mac);
    row->setData(0, Qt::AccessibleTextRole, fUtama::tr("IP %1").arg(ip));
    row->setData(1, Qt::AccessibleTextRole, fUtama::tr("MAC %1").arg(mac));
    row->setToolTip(0, whole);
    row->setToolTip(1, whole);
}

// Sets a flag for the life of the scope, also when an error unwinds it.
class Running
{
public:
    explicit Running(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Running() { m_flag = false; }
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;

private:
    bool &m_flag;
};

// The window's own font, which every control takes but the ARP table and the hosts' labels.
QFont windowFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

} // namespace

fUtama::fUtama(Pause &pause, std::unique_ptr<RandomSource> random,
               std::unique_ptr<MessageBox> messages, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::fUtama>()), m_pause(pause),
      m_random(random ? std::move(random) : std::make_unique<RandomSource>()),
      m_messages(messages ? std::move(messages) : std::make_unique<MessageBox>()),
      m_entry(this, pause, *m_messages)
{
    setFont(windowFont());
    ui->setupUi(this);
    Komputer1 = {ui->Komputer1_0, ui->Komputer1_1, ui->Komputer1_2, ui->Komputer1_3,
                 ui->Komputer1_4};
    Line1 = {ui->Line1_0, ui->Line1_1, ui->Line1_2, ui->Line1_3};
    for (Komputer *k : Komputer1)
        k->setPause(&m_pause);
    setUpListView();
    ui->IPCari->installEventFilter(this);
    m_entry.run([this] {
        loadHosts();
        Form_Load();
    });
    connectEvents();
}

fUtama::~fUtama() = default;

Komputer &fUtama::host(int index) const
{
    if (index < 0 || index >= HostCount)
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    return *Komputer1[static_cast<size_t>(index)];
}

QWidget *fUtama::networkArea() const
{
    return ui->Frame1;
}

std::array<QLineEdit *, 3> fUtama::identityBoxes() const
{
    return {ui->Nama, ui->IP, ui->MAC};
}

QLineEdit *fUtama::addressBox() const
{
    return ui->IPCari;
}

Segment &fUtama::segment(int index) const
{
    if (index < 0 || index >= SegmentCount)
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    return *Line1[static_cast<size_t>(index)];
}

void fUtama::loadHosts()
{
    // The hosts' design values ("nama", "mac", "ip") travel with the layout.
    for (Komputer *k : Komputer1)
        k->LoadProperties(PropertyBag::fromDynamicProperties(*k));
}

void fUtama::setUpListView()
{
    QFont font(QStringLiteral("Courier New"));
    // Qt measures the column headers in bold. With the style named, that measure takes the
    // regular face, which the table draws anyway, instead of loading a bold one nothing shows.
    font.setStyleName(QStringLiteral("Regular"));
    font.setPointSizeF(8.25);
    ui->ListView1->setFont(font);
    ui->ListView1->setColumnWidth(0, 1400 / TwipsPerPixel);
    ui->ListView1->setColumnWidth(1, (1244 + TwipsPerPixel / 2) / TwipsPerPixel);
}

void fUtama::connectEvents()
{
    for (qint16 index = 0; Komputer * k : Komputer1) {
        connect(k, &Komputer::Click, this, m_entry.bind([this, index] {
            Komputer1_Click(index);
            Q_EMIT hostChosen(host(index));
        }));
        ++index;
    }
    connect(ui->Command1, &QPushButton::clicked, this, m_entry.bind([this] { Command1_Click(); }));
    connect(ui->Command2, &QPushButton::clicked, this, m_entry.bind([this] { Command2_Click(); }));
    connect(ui->Command3, &QPushButton::clicked, this, m_entry.bind([this] { Command3_Click(); }));
}

void fUtama::Form_Load()
{
    m_random->seed(static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    for (Komputer *k : Komputer1) {
        k->setState(false);
        k->setCaption(QString());
    }
    for (Komputer *k : Komputer1) {
        k->setMAC(BuatMACAcak());
        const QString ip = k->IP();
        k->Tambah(ip, k->MAC());
    }
    centre();
}

void fUtama::centre()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const float left = static_cast<float>(area.width() - width()) / 2.0f;
    const float top = static_cast<float>(area.height() - height()) / 2.0f;
    // Position the same rectangle whose size was read: move() would place the frame there
    // and leave the client area off-centre by the frame's width.
    setGeometry(QRect(QPoint(area.x() + qRound(left), area.y() + qRound(top)), size()));
}

QString fUtama::BuatMACAcak()
{
    QString text;
    for (int group = 1; group <= 6; ++group) {
        qint16 n = Convert::roundToInteger(m_random->draw() * 256.0f);
        if (n == 256)
            n = 0;
        text += QString::number(n, 16).toUpper();
        if (group != 6)
            text += QLatin1Char('-');
    }
    return text;
}

QString fUtama::BuatIPAcak()
{
    QString text;
    for (int group = 1; group <= 4; ++group) {
        qint16 n = Convert::roundToInteger(m_random->draw() * 240.0f);
        if (n == 0)
            n = 1;
        if (n == 240)
            n = 1;
        text += QString::number(n);
        if (group != 4)
            text += QLatin1Char('.');
    }
    return text;
}

void fUtama::Komputer1_Click(qint16 Index)
{
    SelectedIndex = Index;
    ui->Command2->setEnabled(true);
    ui->Command3->setEnabled(true);
    Komputer &k = host(Index);
    showText(*ui->Nama, k.Nama());
    showText(*ui->IP, k.IP());
    showText(*ui->MAC, k.MAC());
    listTable(k);
    k.setState(true);
    for (int i = 0; i < HostCount; ++i) {
        if (i != Index)
            host(i).setState(false);
    }
}

// The view's rows become the host's entries, each row left alone where it already shows its
// entry; the view tells a reader how many there are.
void fUtama::listTable(const Komputer &k)
{
    QTreeWidget &view = *ui->ListView1;
    const qint16 n = k.Jumlah();
    for (int i = 1; i <= n; ++i) {
        const auto entry = static_cast<qint16>(i);
        // The IP first, then the MAC: arguments would be read in no fixed order.
        const QString ip = Convert::toText(k.AmbilIP(entry));
        showRow(view, i - 1, ip, Convert::toText(k.AmbilMAC(entry)));
    }
    while (view.topLevelItemCount() > qMax(n, qint16(0)))
        delete view.takeTopLevelItem(view.topLevelItemCount() - 1);
    const QString size = Komputer::entries(n);
    if (view.accessibleDescription() != size)
        view.setAccessibleDescription(size);
    // No row is current until the user moves to one, as after the whole list was written
    // anew: the first arrow key then goes to the first row, and a reader reads every row.
    if (!view.hasFocus())
        view.setCurrentIndex(QModelIndex());
}

void fUtama::Command1_Click()
{
    close();
}

void fUtama::Command2_Click()
{
    broadcast(SelectedIndex, ui->IPCari->text());
}

void fUtama::broadcastAgain(qint16 requester, const QString &ip)
{
    m_entry.run([&] { broadcast(requester, ip); });
}

void fUtama::broadcast(qint16 origin, const QString &T)
{
    // A press that arrives while an exchange pauses would move the cursors and overwrite the
    // slots under it; it is ignored instead.
    if (m_exchangeRunning)
        return;
    const Running running(m_exchangeRunning);
    if (host(origin).Ada(T) > 0) {
        m_messages->show(this, MessageBox::Icon::Information, Title,
                         QStringLiteral("Sudah ada nomor IP '") + T +
                             QStringLiteral("' dalam tabel ARP"));
        Q_EMIT broadcastRefused(host(origin), T);
        return;
    }
    const Komputer &requester = host(origin);
    Packet.SenderIP = requester.IP();
    Packet.SenderMAC = requester.MAC();
    Packet.Operation = 1;
    Packet.TargetIP = T;
    ReplyReady = false;
    send(origin);
    if (!ReplyReady)
        return;
    Packet = Reply;
    send(GetIdxByIP(Packet.SenderIP));
    Komputer1_Click(SelectedIndex);
}

// The packet in flight goes out from `origin` to every other host.
void fUtama::send(qint16 origin)
{
    LeftCursor = Int16::sub(origin, 1);
    RightCursor = Int16::add(origin, 1);
    Q_EMIT propagationStarts(host(origin), Packet);
    Propagate();
    Q_EMIT propagationEnded(Packet);
}

void fUtama::settle()
{
    for (Segment *s : Line1)
        s->setBorderColor(Segment::Black);
    for (Komputer *k : Komputer1)
        k->setCaption(QString());
}

void fUtama::Command3_Click()
{
    host(SelectedIndex).ClearEntry();
    Komputer1_Click(SelectedIndex);
    Q_EMIT tableCleared(host(SelectedIndex));
}

qint16 fUtama::GetIdxByIP(const QString &ip) const
{
    qint16 result = HostCount;
    for (int i = 0; i < HostCount; ++i) {
        if (host(i).IP() == ip)
            result = static_cast<qint16>(i);
    }
    return result;
}

void fUtama::Propagate()
{
    while (LeftCursor >= 0 || RightCursor < HostCount) {
        if (LeftCursor >= 0) {
            segment(LeftCursor).setBorderColor(Segment::Green);
            host(LeftCursor).Receive();
            LeftCursor = Int16::sub(LeftCursor, 1);
        }
        if (RightCursor < HostCount) {
            segment(Int16::sub(RightCursor, 1)).setBorderColor(Segment::Green);
            host(RightCursor).Receive();
            RightCursor = Int16::add(RightCursor, 1);
        }
        segment(Int16::add(LeftCursor, 1)).setBorderColor(Segment::Black);
        segment(Int16::sub(RightCursor, 2)).setBorderColor(Segment::Black);
        Komputer1_Click(SelectedIndex);
    }
}

void fUtama::closeEvent(QCloseEvent *event)
{
    // Closing while a host pauses: the pause unwinds as it resumes, so the exchange stops and
    // nothing touches the window after it has gone.
    m_pause.end(0);
    QWidget::closeEvent(event); // accepted: the window closes
}

bool fUtama::eventFilter(QObject *watched, QEvent *event)
{
    // An access key whose button is disabled falls through to the focused address box, which
    // would type its letter. With Alt (AltGr layouts type with Ctrl+Alt or a key of their own)
    // no key types into the box, whether or not a button takes it.
    if (watched == ui->IPCari && event->type() == QEvent::KeyPress) {
        const Qt::KeyboardModifiers mods = static_cast<QKeyEvent *>(event)->modifiers();
        return mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier);
    }
    return false;
}
