// The window as it first shows: where every control stands, what it says, how the network is
// drawn and stacked, how the keyboard moves through it, and what the first picture looks like.

#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/Segment.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QFontInfo>
#include <QRawFont>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double TwipsPerPixel = 15.0;

int px(int twips)
{
    return qRound(twips / TwipsPerPixel);
}

QRect pxRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// How far p lies outside box (0 on its edge or inside).
double distanceToBox(QPointF p, const QRectF &box)
{
    const double dx = std::max({box.left() - p.x(), 0.0, p.x() - box.right()});
    const double dy = std::max({box.top() - p.y(), 0.0, p.y() - box.bottom()});
    return std::hypot(dx, dy);
}

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// Whether the straight line from a to b meets the closed box (Liang-Barsky clipping).
bool meets(QPointF a, QPointF b, const QRectF &box)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// The gap between the line from a to b and the box: 0 where they meet, otherwise the nearest
// of the ends to the box or of the box's corners to the line.
double gapToBox(QPointF a, QPointF b, const QRectF &box)
{
    if (meets(a, b, box))
        return 0.0;
    double gap = std::min(distanceToBox(a, box), distanceToBox(b, box));
    for (const QPointF corner :
         {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
        gap = std::min(gap, distanceToSegment(corner, a, b));
    return gap;
}

bool isWhite(QColor c)
{
    return c.red() == 255 && c.green() == 255 && c.blue() == 255;
}

bool isBlack(QColor c)
{
    return c.red() <= 16 && c.green() <= 16 && c.blue() <= 16;
}

// The switched-off screen: dark blue to nearly black, nothing green in it.
bool isDarkScreen(QColor c)
{
    return qGray(c.rgb()) < 64 && c.green() < 64;
}

bool isLitScreen(QColor c)
{
    return c.green() >= 64 && c.green() > 2 * c.red() && c.green() > 2 * c.blue();
}

bool isYellow(QColor c)
{
    return c.red() > 180 && c.green() > 180 && c.blue() < 100;
}

const QStringList HostNames = {
    QStringLiteral("Komputer1_0"), QStringLiteral("Komputer1_1"), QStringLiteral("Komputer1_2"),
    QStringLiteral("Komputer1_3"), QStringLiteral("Komputer1_4"),
};

// Where a host's screen lies in its own picture.
const QPoint ScreenCentre(75, 40);

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowSize();
    void geometry_data();
    void geometry();
    void hostExtents_data();
    void hostExtents();
    void everythingInsideItsContainer();
    void texts_data();
    void texts();
    void accessKeys();
    void noDefaultOrCancelButton();
    void readOnlyBoxes();
    void arpTableView();

    void segments_data();
    void segments();
    void onlyHosts2And4Overlap();
    void stacking();
    void clickInOverlapSelectsHost2_data();
    void clickInOverlapSelectsHost2();

    void focusChain();
    void tabSkipsCommandsUntilSelection();

    void firstPicture();
    void selectedHostShowsGreen();

private:
    std::unique_ptr<fUtama> shownWindow();
    QWidget *control(const fUtama &window, const QString &name);

    QStringList m_messages;
};

void TestLayout::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestLayout::init()
{
    Runtime::reset();
    m_messages.clear();
    MessageBox::setRecorder([this](MessageBox::Icon, const QString &caption, const QString &text) {
        m_messages.append(caption + QLatin1String(": ") + text);
    });
}

void TestLayout::cleanup()
{
    MessageBox::setRecorder({});
    Runtime::reset();
}

std::unique_ptr<fUtama> TestLayout::shownWindow()
{
    auto window = std::make_unique<fUtama>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()) || !QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

QWidget *TestLayout::control(const fUtama &window, const QString &name)
{
    return window.findChild<QWidget *>(name);
}

void TestLayout::windowSize()
{
    const auto window = shownWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Tolvane"));
    QCOMPARE(window->size(), QSize(px(11145), px(7680)));
    QCOMPARE(window->size(), QSize(743, 512));
    QCOMPARE(window->minimumSize(), window->size());
    QCOMPARE(window->maximumSize(), window->size());
    // The layout is absolute: the window keeps its size whatever is asked of it.
    window->resize(900, 700);
    QCOMPARE(window->size(), QSize(743, 512));
    QVERIFY(m_messages.isEmpty());
}

void TestLayout::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("box");

    const QString window = QStringLiteral("fUtama");
    const QString frame1 = QStringLiteral("Frame1");
    const QString frame2 = QStringLiteral("Frame2");
    const QString frame3 = QStringLiteral("Frame3");
    struct Row
    {
        const char *name;
        QString container;
        int left, top, width, height; // twips
    };
    const Row rows[] = {
        {"Frame1", window, 105, 75, 7710, 7410},
        {"Frame2", window, 7905, 105, 3150, 4185},
        {"Frame3", window, 7905, 4380, 3150, 2730},
        {"Command1", window, 10050, 7260, 990, 285},
        {"Label1_0", frame2, 120, 465, 1035, 345},
        {"Nama", frame2, 975, 435, 1530, 285},
        {"Label1_1", frame2, 120, 855, 1035, 345},
        {"IP", frame2, 975, 787, 1530, 285},
        {"Label1_2", frame2, 120, 1245, 1035, 345},
        {"MAC", frame2, 975, 1140, 1530, 285},
        {"Label1_3", frame2, 120, 1650, 1035, 345},
        {"ListView1", frame2, 120, 1935, 2925, 2160},
        {"Label1_4", frame3, 195, 330, 2220, 240},
        {"IPCari", frame3, 180, 570, 1530, 285},
        {"Command2", frame3, 135, 1395, 2280, 330},
        {"Command3", frame3, 135, 2025, 2280, 315},
        {"Komputer1_0", frame1, 480, 285, 2160, 2520},
        {"Komputer1_1", frame1, 4980, 270, 2220, 2340},
        {"Komputer1_2", frame1, 5085, 4380, 2190, 2520},
        {"Komputer1_3", frame1, 450, 4425, 2130, 2520},
        {"Komputer1_4", frame1, 3105, 2880, 2130, 2520},
    };
    for (const Row &row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.container
                                << pxRect(row.left, row.top, row.width, row.height);
}

void TestLayout::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, box);

    const auto window = shownWindow();
    QVERIFY(window);
    QWidget *w = control(*window, name);
    QVERIFY2(w, qPrintable(name));
    QVERIFY(w->parentWidget());
    QCOMPARE(w->parentWidget()->objectName(), container);
    QCOMPARE(w->geometry(), box);
    QVERIFY(w->isVisible());
}

void TestLayout::hostExtents_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("extentX");
    QTest::addColumn<int>("extentY");

    QTest::newRow("host 0") << 0 << 3810 << 4445;
    QTest::newRow("host 1") << 1 << 3916 << 4128;
    QTest::newRow("host 2") << 2 << 3863 << 4445;
    QTest::newRow("host 3") << 3 << 3757 << 4445;
    QTest::newRow("host 4") << 4 << 3757 << 4445;
}

void TestLayout::hostExtents()
{
    QFETCH(int, index);
    QFETCH(int, extentX);
    QFETCH(int, extentY);

    const fUtama window;
    const Komputer &k = window.host(index);
    QCOMPARE(k.property("_extentx").toInt(), extentX);
    QCOMPARE(k.property("_extenty").toInt(), extentY);
    // Hundredths of a millimetre to twips; the stored extent is the host's own size.
    const auto twips = [](int extent) { return qRound(extent * 1440.0 / 2540.0); };
    QCOMPARE(k.size(), QSize(px(twips(extentX)), px(twips(extentY))));
}

void TestLayout::everythingInsideItsContainer()
{
    const auto window = shownWindow();
    QVERIFY(window);
    const QStringList names = {
        QStringLiteral("Frame1"),      QStringLiteral("Frame2"),      QStringLiteral("Frame3"),
        QStringLiteral("Command1"),    QStringLiteral("Label1_0"),    QStringLiteral("Label1_1"),
        QStringLiteral("Label1_2"),    QStringLiteral("Label1_3"),    QStringLiteral("Label1_4"),
        QStringLiteral("Nama"),        QStringLiteral("IP"),          QStringLiteral("MAC"),
        QStringLiteral("ListView1"),   QStringLiteral("IPCari"),      QStringLiteral("Command2"),
        QStringLiteral("Command3"),    QStringLiteral("Komputer1_0"), QStringLiteral("Komputer1_1"),
        QStringLiteral("Komputer1_2"), QStringLiteral("Komputer1_3"), QStringLiteral("Komputer1_4"),
        QStringLiteral("Line1_0"),     QStringLiteral("Line1_1"),     QStringLiteral("Line1_2"),
        QStringLiteral("Line1_3"),
    };
    for (const QString &name : names) {
        const QWidget *w = control(*window, name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(name));
    }

    const Ui::fUtama &ui = window->controls();
    QCOMPARE(ui.Frame2->geometry().x() + ui.Frame2->width(), 737);
    QCOMPARE(ui.Frame3->geometry().x() + ui.Frame3->width(), 737);
    QCOMPARE(ui.Command1->geometry().y() + ui.Command1->height(), 503);
    int lowest = 0;
    const QWidget *lowestControl = nullptr;
    for (const QWidget *w :
         {static_cast<QWidget *>(ui.Frame1), static_cast<QWidget *>(ui.Frame2),
          static_cast<QWidget *>(ui.Frame3), static_cast<QWidget *>(ui.Command1)}) {
        const int bottom = w->y() + w->height();
        if (bottom > lowest) {
            lowest = bottom;
            lowestControl = w;
        }
    }
    QCOMPARE(lowestControl, ui.Command1);
    QVERIFY(lowest < window->height());
}

void TestLayout::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("Frame2") << QStringLiteral("Frame2") << QStringLiteral("Property");
    QTest::newRow("Frame3") << QStringLiteral("Frame3") << QStringLiteral("Kontrol");
    QTest::newRow("Label1_0") << QStringLiteral("Label1_0") << QStringLiteral("Nama");
    QTest::newRow("Label1_1") << QStringLiteral("Label1_1") << QStringLiteral("IP Address");
    QTest::newRow("Label1_2") << QStringLiteral("Label1_2") << QStringLiteral("M A C");
    QTest::newRow("Label1_3") << QStringLiteral("Label1_3") << QStringLiteral("Tabel ARP");
    QTest::newRow("Label1_4") << QStringLiteral("Label1_4") << QStringLiteral("Cari MAC untuk IP");
    QTest::newRow("Command1") << QStringLiteral("Command1") << QStringLiteral("Exit");
    QTest::newRow("Command2") << QStringLiteral("Command2") << QStringLiteral("&Broadcast");
    QTest::newRow("Command3") << QStringLiteral("Command3") << QStringLiteral("&Hapus Entri");
}

void TestLayout::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    const fUtama window;
    const QWidget *w = control(window, name);
    QVERIFY2(w, qPrintable(name));
    if (const auto *frame = qobject_cast<const QGroupBox *>(w))
        QCOMPARE(frame->title(), text);
    else if (const auto *label = qobject_cast<const QLabel *>(w))
        QCOMPARE(label->text(), text);
    else if (const auto *button = qobject_cast<const QPushButton *>(w))
        QCOMPARE(button->text(), text);
    else
        QFAIL("neither a frame, a label nor a button");
}

void TestLayout::accessKeys()
{
    const auto window = shownWindow();
    QVERIFY(window);
    const Ui::fUtama &ui = window->controls();
    QWindow *handle = window->windowHandle();
    QCOMPARE(QKeySequence::mnemonic(ui.Command2->text()), QKeySequence(Qt::ALT | Qt::Key_B));
    QCOMPARE(QKeySequence::mnemonic(ui.Command3->text()), QKeySequence(Qt::ALT | Qt::Key_H));
    QVERIFY(QKeySequence::mnemonic(ui.Command1->text()).isEmpty());

    QSignalSpy broadcast(ui.Command2, &QPushButton::clicked);
    QSignalSpy clear(ui.Command3, &QPushButton::clicked);
    QSignalSpy exit(ui.Command1, &QPushButton::clicked);

    // Disabled until the first selection: the keys reach nothing.
    QTest::keyClick(handle, Qt::Key_B, Qt::AltModifier);
    QTest::keyClick(handle, Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(handle, Qt::Key_E, Qt::AltModifier);
    QTest::qWait(300);
    QCOMPARE(broadcast.count(), 0);
    QCOMPARE(clear.count(), 0);
    QCOMPARE(exit.count(), 0);

    window->Komputer1_Click(0);
    // The host's own address, so that the broadcast stops at its message.
    ui.IPCari->setText(QStringLiteral("192.168.0.1"));
    QTest::keyClick(handle, Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(broadcast.count(), 1);
    QCOMPARE(m_messages, QStringList{QStringLiteral(
                             "Tolvane: Sudah ada nomor IP '192.168.0.1' dalam tabel ARP")});
    QTest::keyClick(handle, Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(clear.count(), 1);
    QCOMPARE(broadcast.count(), 1);
    QCOMPARE(exit.count(), 0);
    QVERIFY(window->isVisible());
    QVERIFY(!Runtime::ending());
}

void TestLayout::noDefaultOrCancelButton()
{
    const auto window = shownWindow();
    QVERIFY(window);
    const Ui::fUtama &ui = window->controls();
    for (const QPushButton *button : {ui.Command1, ui.Command2, ui.Command3}) {
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
    }

    window->Komputer1_Click(0);
    QSignalSpy broadcast(ui.Command2, &QPushButton::clicked);
    QSignalSpy clear(ui.Command3, &QPushButton::clicked);
    QSignalSpy exit(ui.Command1, &QPushButton::clicked);
    ui.IPCari->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui.IPCari);
    QTest::keyClick(window->windowHandle(), Qt::Key_Return);
    QTest::keyClick(window->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    QTest::qWait(300);
    QCOMPARE(broadcast.count(), 0);
    QCOMPARE(clear.count(), 0);
    QCOMPARE(exit.count(), 0);
    QVERIFY(window->isVisible());
    QVERIFY(m_messages.isEmpty());
}

void TestLayout::readOnlyBoxes()
{
    const auto window = shownWindow();
    QVERIFY(window);
    const Ui::fUtama &ui = window->controls();
    window->Komputer1_Click(1);
    for (QLineEdit *box : {ui.Nama, ui.IP, ui.MAC}) {
        QVERIFY2(box->isReadOnly(), qPrintable(box->objectName()));
        const QString before = box->text();
        QVERIFY(!before.isEmpty());
        box->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(window->windowHandle(), 'x');
        QTest::keyClick(window->windowHandle(), '9');
        QTest::keyClick(window->windowHandle(), Qt::Key_Backspace);
        QCOMPARE(box->text(), before);
    }

    QVERIFY(!ui.IPCari->isReadOnly());
    ui.IPCari->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui.IPCari);
    QTest::keyClick(window->windowHandle(), Qt::Key_End);
    QTest::keyClick(window->windowHandle(), '9');
    QCOMPARE(ui.IPCari->text(), QStringLiteral("192.168.0.49"));
}

void TestLayout::arpTableView()
{
    const fUtama window;
    auto *list = qobject_cast<QTreeWidget *>(window.controls().ListView1);
    QVERIFY(list);
    QCOMPARE(list->columnCount(), 2);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("IP"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("MAC"));
    QVERIFY(!list->isHeaderHidden());
    QCOMPARE(list->columnWidth(0), px(1400));
    QCOMPARE(list->columnWidth(1), px(1244));
    QCOMPARE(list->columnWidth(0), 93);
    QCOMPARE(list->columnWidth(1), 83);
    QVERIFY(!list->rootIsDecorated());
    QCOMPARE(list->topLevelItemCount(), 0);

    const QFont font = list->font();
    QCOMPARE(font.family(), QStringLiteral("Courier New"));
    QCOMPARE(font.pointSizeF(), 8.25);
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());
    QVERIFY(!font.strikeOut());

    // Whatever face the system picks for it must have Courier New's metrics: fixed pitch,
    // advance 1229, ascent 1705 and descent 615 per 2048 units of the em.
    const QFontInfo resolved(font);
    QVERIFY2(resolved.fixedPitch(), qPrintable(resolved.family()));
    QCOMPARE(resolved.pointSizeF(), 8.25);
    QFont design = font;
    design.setPixelSize(2048);
    design.setHintingPreference(QFont::PreferNoHinting);
    const QRawFont raw = QRawFont::fromFont(design);
    QVERIFY(raw.isValid());
    const QList<QPointF> advances =
        raw.advancesForGlyphIndexes(raw.glyphIndexesForString(QStringLiteral("M")));
    QCOMPARE(advances.size(), 1);
    QVERIFY2(std::abs(advances.first().x() - 1229) <= 2, qPrintable(raw.familyName()));
    QVERIFY2(std::abs(raw.ascent() - 1705) <= 20, qPrintable(raw.familyName()));
    QVERIFY2(std::abs(raw.descent() - 615) <= 20, qPrintable(raw.familyName()));

    // Every other control keeps the window's font.
    QCOMPARE(window.controls().Nama->font(), window.font());
    QCOMPARE(window.controls().Command2->font(), window.font());
}

void TestLayout::segments_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QLine>("line");
    QTest::addColumn<int>("firstHost");
    QTest::addColumn<int>("secondHost");

    // End points in twips; the first lies at the first host, the second at the second.
    QTest::newRow("Line1_0 across the top")
        << 0 << QLine(px(2670), px(2490), px(4980), px(2490)) << 0 << 1;
    QTest::newRow("Line1_1 down the right")
        << 1 << QLine(px(6180), px(4455), px(6180), px(2595)) << 2 << 1;
    QTest::newRow("Line1_2 across the bottom")
        << 2 << QLine(px(2625), px(6540), px(5160), px(6540)) << 3 << 2;
    QTest::newRow("Line1_3 up to the centre")
        << 3 << QLine(px(2535), px(5955), px(3105), px(4995)) << 3 << 4;
}

void TestLayout::segments()
{
    QFETCH(int, index);
    QFETCH(QLine, line);
    QFETCH(int, firstHost);
    QFETCH(int, secondHost);

    const auto window = shownWindow();
    QVERIFY(window);
    const Segment &segment = window->segment(index);
    QCOMPARE(segment.parentWidget(), window->controls().Frame1);
    QCOMPARE(QLine(segment.start(), segment.end()), line);
    QCOMPARE(segment.BorderWidth(), 5);
    QCOMPARE(segment.BorderColor(), Segment::Black);
    // Segment k joins host k and host k + 1.
    QCOMPARE(std::min(firstHost, secondHost), index);
    QCOMPARE(std::max(firstHost, secondHost), index + 1);

    const QPointF a = line.p1();
    const QPointF b = line.p2();
    const QRectF first = window->host(firstHost).geometry();
    const QRectF second = window->host(secondHost).geometry();
    QVERIFY2(distanceToBox(a, first) <= 3.0, qPrintable(QString::number(distanceToBox(a, first))));
    QVERIFY2(distanceToBox(b, second) <= 3.0,
             qPrintable(QString::number(distanceToBox(b, second))));
    const double halfWidth = segment.BorderWidth() / 2.0;
    for (int other = 0; other < fUtama::HostCount; ++other) {
        if (other == firstHost || other == secondHost)
            continue;
        const QRectF box = window->host(other).geometry();
        QVERIFY2(!meets(a, b, box), qPrintable(HostNames.at(other)));
        // Not even the width of the drawn line reaches it.
        QVERIFY2(gapToBox(a, b, box) > halfWidth, qPrintable(HostNames.at(other)));
    }

    // Drawn 5 pixels wide: the darkness across the line adds up to its width, measured along
    // a pixel row or column through its middle.
    const QImage picture = window->grab().toImage();
    const QPoint origin = window->controls().Frame1->pos();
    const QPointF middle = (a + b) / 2.0;
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    const bool acrossColumn = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
    const double expected = segment.BorderWidth() * length /
                            (acrossColumn ? std::abs(b.x() - a.x()) : std::abs(b.y() - a.y()));
    double darkness = 0.0;
    for (int step = -8; step <= 8; ++step) {
        const QPoint at = acrossColumn ? QPoint(int(middle.x()), int(middle.y()) + step)
                                       : QPoint(int(middle.x()) + step, int(middle.y()));
        darkness += (255 - qGray(picture.pixel(origin + at))) / 255.0;
    }
    QVERIFY2(std::abs(darkness - expected) <= 0.35,
             qPrintable(QStringLiteral("%1 for %2").arg(darkness).arg(expected)));
}

void TestLayout::onlyHosts2And4Overlap()
{
    const fUtama window;
    for (int i = 0; i < fUtama::HostCount; ++i) {
        for (int j = i + 1; j < fUtama::HostCount; ++j) {
            const QRect shared = window.host(i).geometry() & window.host(j).geometry();
            if (i == 2 && j == 4)
                QCOMPARE(shared,
                         QRect(QPoint(px(5085), px(4380)), QPoint(px(5235) - 1, px(5400) - 1)));
            else
                QVERIFY2(shared.isEmpty(), qPrintable(HostNames.at(i) + HostNames.at(j)));
        }
    }
}

void TestLayout::stacking()
{
    const auto window = shownWindow();
    QVERIFY(window);
    const QFrame *frame = window->controls().Frame1;
    // Children are kept from the bottom of the stack to its top.
    QList<const QWidget *> order;
    for (const QObject *child : frame->children()) {
        if (const auto *w = qobject_cast<const QWidget *>(child))
            order.append(w);
    }
    const auto level = [&](const QWidget *w) { return order.indexOf(w); };
    const QList<int> fromTop = {2, 3, 0, 1, 4};
    for (int i = 0; i + 1 < fromTop.size(); ++i)
        QVERIFY2(level(&window->host(fromTop[i])) > level(&window->host(fromTop[i + 1])),
                 qPrintable(HostNames.at(fromTop[i])));
    for (int s = 0; s < fUtama::SegmentCount; ++s) {
        QVERIFY(level(&window->segment(s)) >= 0);
        for (int h = 0; h < fUtama::HostCount; ++h)
            QVERIFY(level(&window->segment(s)) < level(&window->host(h)));
    }

    // Where a segment's end runs under a host, the picture shows the host, not the line.
    const QImage picture = window->grab().toImage();
    const QPoint origin = frame->pos();
    const struct
    {
        int host;
        QPoint at; // in Frame1
    } hidden[] = {{2, {412, 294}}, {1, {412, 173}}, {2, {341, 436}}, {3, {170, 395}}};
    for (const auto &h : hidden) {
        Komputer &k = window->host(h.host);
        QVERIFY(k.geometry().contains(h.at));
        const QColor own = k.grab().toImage().pixelColor(h.at - k.pos());
        QVERIFY(!isBlack(own));
        QCOMPARE(picture.pixelColor(origin + h.at), own);
    }
    // In the shared strip host 2 is the one drawn.
    Komputer &top = window->host(2);
    const QPoint strip(344, 326);
    QCOMPARE(picture.pixelColor(origin + strip),
             top.grab().toImage().pixelColor(strip - top.pos()));
    QCOMPARE(frame->childAt(strip), &window->host(2));
}

void TestLayout::clickInOverlapSelectsHost2_data()
{
    QTest::addColumn<QPoint>("at"); // in Frame1
    QTest::addColumn<int>("selected");

    QTest::newRow("strip top left") << QPoint(339, 292) << 2;
    QTest::newRow("strip middle") << QPoint(344, 326) << 2;
    QTest::newRow("strip bottom right") << QPoint(348, 359) << 2;
    QTest::newRow("host 4 left of the strip") << QPoint(338, 326) << 4;
    QTest::newRow("host 2 below the strip") << QPoint(344, 360) << 2;
    QTest::newRow("host 4 above the strip") << QPoint(344, 291) << 4;
    QTest::newRow("host 2 right of the strip") << QPoint(349, 326) << 2;
}

void TestLayout::clickInOverlapSelectsHost2()
{
    QFETCH(QPoint, at);
    QFETCH(int, selected);

    const auto window = shownWindow();
    QVERIFY(window);
    // Start from a selection elsewhere, so that the click has to move it.
    window->Komputer1_Click(0);
    QCOMPARE(window->selectedIndex(), qint16(0));

    // Through the window, so that Qt's own hit-testing picks the host.
    const QPoint inWindow = window->controls().Frame1->mapTo(window.get(), at);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, inWindow);
    QTRY_COMPARE(window->selectedIndex(), qint16(selected));
    for (int i = 0; i < fUtama::HostCount; ++i) {
        QCOMPARE(window->host(i).State(), i == selected);
        QCOMPARE(window->host(i).isLit(), i == selected);
    }
    QVERIFY(m_messages.isEmpty());
}

void TestLayout::focusChain()
{
    const fUtama window;
    const QStringList expected = {
        QStringLiteral("Komputer1_0"), QStringLiteral("Komputer1_1"), QStringLiteral("Komputer1_2"),
        QStringLiteral("Komputer1_3"), QStringLiteral("Nama"),        QStringLiteral("IP"),
        QStringLiteral("MAC"),         QStringLiteral("ListView1"),   QStringLiteral("Command1"),
        QStringLiteral("Command2"),    QStringLiteral("IPCari"),      QStringLiteral("Command3"),
        QStringLiteral("Komputer1_4"),
    };
    QStringList chain;
    const QWidget *w = &window;
    for (int guard = 0; guard < 200; ++guard) {
        w = w->nextInFocusChain();
        if (w == &window)
            break;
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            chain.append(w->objectName());
    }
    QCOMPARE(chain, expected);

    // Frames and labels take no focus.
    for (const QString &name :
         {QStringLiteral("Frame1"), QStringLiteral("Frame2"), QStringLiteral("Frame3"),
          QStringLiteral("Label1_0"), QStringLiteral("Label1_1"), QStringLiteral("Label1_2"),
          QStringLiteral("Label1_3"), QStringLiteral("Label1_4")}) {
        QVERIFY2(!(control(window, name)->focusPolicy() & Qt::TabFocus), qPrintable(name));
    }
}

void TestLayout::tabSkipsCommandsUntilSelection()
{
    const auto window = shownWindow();
    QVERIFY(window);
    QWindow *handle = window->windowHandle();
    const auto name = [] {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                           : QStringLiteral("(none)");
    };
    const auto tabRound = [&](int presses) {
        QStringList stops;
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(handle, Qt::Key_Tab);
            stops.append(name());
        }
        return stops;
    };

    // The first host in the tab order has the focus when the window opens.
    QCOMPARE(name(), QStringLiteral("Komputer1_0"));
    const QStringList before = tabRound(11);
    QCOMPARE(before,
             (QStringList{QStringLiteral("Komputer1_1"), QStringLiteral("Komputer1_2"),
                          QStringLiteral("Komputer1_3"), QStringLiteral("Nama"),
                          QStringLiteral("IP"), QStringLiteral("MAC"), QStringLiteral("ListView1"),
                          QStringLiteral("Command1"), QStringLiteral("IPCari"),
                          QStringLiteral("Komputer1_4"), QStringLiteral("Komputer1_0")}));

    // A real click on host 0 selects it, takes the focus and enables both commands.
    const Komputer &host0 = window->host(0);
    QTest::mouseClick(handle, Qt::LeftButton, {}, host0.mapTo(window.get(), QPoint(20, 130)));
    QTRY_VERIFY(window->controls().Command2->isEnabled());
    QCOMPARE(window->selectedIndex(), qint16(0));
    QCOMPARE(name(), QStringLiteral("Komputer1_0"));
    const QStringList after = tabRound(13);
    QCOMPARE(after,
             (QStringList{QStringLiteral("Komputer1_1"), QStringLiteral("Komputer1_2"),
                          QStringLiteral("Komputer1_3"), QStringLiteral("Nama"),
                          QStringLiteral("IP"), QStringLiteral("MAC"), QStringLiteral("ListView1"),
                          QStringLiteral("Command1"), QStringLiteral("Command2"),
                          QStringLiteral("IPCari"), QStringLiteral("Command3"),
                          QStringLiteral("Komputer1_4"), QStringLiteral("Komputer1_0")}));
    QVERIFY(m_messages.isEmpty());
}

void TestLayout::firstPicture()
{
    const auto window = shownWindow();
    QVERIFY(window);
    const QImage picture = window->grab().toImage();
    const QFrame *frame = window->controls().Frame1;
    const QPoint origin = frame->pos();

    // The network area is white between hosts and segments.
    for (const QPoint at : {QPoint(250, 100), QPoint(250, 470), QPoint(500, 250), QPoint(20, 250),
                            QPoint(190, 250), QPoint(260, 20), QPoint(420, 480)}) {
        for (int i = 0; i < fUtama::HostCount; ++i)
            QVERIFY(!window->host(i).geometry().contains(at));
        QVERIFY2(isWhite(picture.pixelColor(origin + at)),
                 qPrintable(QStringLiteral("(%1,%2) %3")
                                .arg(at.x())
                                .arg(at.y())
                                .arg(picture.pixelColor(origin + at).name())));
    }

    // Every screen is off.
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer &k = window->host(i);
        QVERIFY(k.rect().contains(ScreenCentre));
        const QColor screen = picture.pixelColor(origin + k.pos() + ScreenCentre);
        QVERIFY2(isDarkScreen(screen),
                 qPrintable(HostNames.at(i) + QLatin1Char(' ') + screen.name()));
    }

    // Every segment is black in its middle.
    for (int s = 0; s < fUtama::SegmentCount; ++s) {
        const Segment &segment = window->segment(s);
        const QPoint middle = (segment.start() + segment.end()) / 2;
        QVERIFY2(isBlack(picture.pixelColor(origin + middle)),
                 qPrintable(picture.pixelColor(origin + middle).name()));
    }

    // No caption shows anywhere on the network.
    const auto yellowIn = [&](const QImage &image, const QRect &area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += isYellow(image.pixelColor(x, y)) ? 1 : 0;
        }
        return count;
    };
    const QRect network = frame->geometry();
    QCOMPARE(yellowIn(picture, network), 0);

    // The window's own background is not the network's white.
    QVERIFY(!isWhite(picture.pixelColor(3, 3)));
    QVERIFY(!isWhite(picture.pixelColor(524, 300)));

    // The same look for a caption does find one: a word on host 3 turns up in its box only.
    window->host(3).setCaption(QStringLiteral("Receive"));
    const QImage withWord = window->grab().toImage();
    const QRect host3 = window->host(3).geometry().translated(origin);
    QVERIFY(yellowIn(withWord, host3) > 20);
    QCOMPARE(yellowIn(withWord, network), yellowIn(withWord, host3));
}

void TestLayout::selectedHostShowsGreen()
{
    const auto window = shownWindow();
    QVERIFY(window);
    window->Komputer1_Click(1);
    QVERIFY(m_messages.isEmpty());
    const QImage picture = window->grab().toImage();
    const QPoint origin = window->controls().Frame1->pos();
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer &k = window->host(i);
        const QColor screen = picture.pixelColor(origin + k.pos() + ScreenCentre);
        if (i == 1)
            QVERIFY2(isLitScreen(screen), qPrintable(screen.name()));
        else
            QVERIFY2(isDarkScreen(screen),
                     qPrintable(HostNames.at(i) + QLatin1Char(' ') + screen.name()));
    }
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
