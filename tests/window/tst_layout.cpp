// The window as it first shows: where every control stands, what it says, how the network is
// drawn and stacked, how the keyboard moves through it, and what the first picture looks like.

#include "WindowTest.h"

#include <QFontInfo>
#include <QRawFont>
#include <QSignalSpy>

#include <algorithm>
#include <cmath>

using namespace WindowTest;

namespace {

// How far p lies outside box (0 on its edge or inside).
double distanceToBox(QPointF p, const QRectF &box)
{
    const double dx = std::max({box.left() - p.x(), 0.0, p.x() - box.right()});
    const double dy = std::max({box.top() - p.y(), 0.0, p.y() - box.bottom()});
    return std::hypot(dx, dy);
}

// The gap between the line from a to b and the box, sampled at a tenth of a pixel.
double gapToBox(QPointF a, QPointF b, const QRectF &box)
{
    const int steps = int(std::hypot(b.x() - a.x(), b.y() - a.y()) * 10) + 1;
    double gap = distanceToBox(b, box);
    for (int i = 0; i < steps; ++i)
        gap = std::min(gap, distanceToBox(a + (b - a) * (double(i) / steps), box));
    return gap;
}

const auto isWhite = [](QColor c) { return c.red() == 255 && c.green() == 255 && c.blue() == 255; };
const auto isBlack = [](QColor c) { return c.red() <= 16 && c.green() <= 16 && c.blue() <= 16; };
// The switched-off screen: dark blue to nearly black, nothing green in it.
const auto isDarkScreen = [](QColor c) { return qGray(c.rgb()) < 64 && c.green() < 64; };
const auto isLitScreen = [](QColor c) {
    return c.green() >= 64 && c.green() > 2 * c.red() && c.green() > 2 * c.blue();
};
const auto isYellow = [](QColor c) { return c.red() > 180 && c.green() > 180 && c.blue() < 100; };

// Where a host's screen lies in its own picture.
const QPoint ScreenCentre(75, 40);

struct Control
{
    const char *name;
    const char *container;
    QRect box; // pixels
    const char *text;
};

const Control Controls[] = {
    {"Frame1", "fUtama", {7, 5, 514, 494}, nullptr},
    {"Frame2", "fUtama", {527, 7, 210, 279}, "Property"},
    {"Frame3", "fUtama", {527, 292, 210, 182}, "Kontrol"},
    {"Command1", "fUtama", {670, 484, 66, 19}, "Exit"},
    {"Label1_0", "Frame2", {8, 31, 69, 23}, "Nama"},
    {"Nama", "Frame2", {65, 29, 102, 19}, nullptr},
    {"Label1_1", "Frame2", {8, 57, 69, 23}, "IP Address"},
    {"IP", "Frame2", {65, 52, 102, 19}, nullptr},
    {"Label1_2", "Frame2", {8, 83, 69, 23}, "M A C"},
    {"MAC", "Frame2", {65, 76, 102, 19}, nullptr},
    {"Label1_3", "Frame2", {8, 110, 69, 23}, "Tabel ARP"},
    {"ListView1", "Frame2", {8, 129, 195, 144}, nullptr},
    {"Label1_4", "Frame3", {13, 22, 148, 16}, "Cari MAC untuk IP"},
    {"IPCari", "Frame3", {12, 38, 102, 19}, nullptr},
    {"Command2", "Frame3", {9, 93, 152, 22}, "&Broadcast"},
    {"Command3", "Frame3", {9, 135, 152, 21}, "&Hapus Entri"},
    {"Komputer1_0", "Frame1", {32, 19, 144, 168}, nullptr},
    {"Komputer1_1", "Frame1", {332, 18, 148, 156}, nullptr},
    {"Komputer1_2", "Frame1", {339, 292, 146, 168}, nullptr},
    {"Komputer1_3", "Frame1", {30, 295, 142, 168}, nullptr},
    {"Komputer1_4", "Frame1", {207, 192, 142, 168}, nullptr},
};

QString hostName(int index)
{
    return QStringLiteral("Komputer1_%1").arg(index);
}

} // namespace

class TestLayout : public Suite
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useProgramStyle(); }
    void init();
    void cleanup() { finish(); }

    void windowSize();
    void geometry_data();
    void geometry();
    void keys();
    void readOnlyBoxes();
    void arpTableView();

    void segments_data();
    void segments();
    void onlyHosts2And4Overlap();
    void stacking();
    void clickInOverlapSelectsHost2_data();
    void clickInOverlapSelectsHost2();

    void tabSkipsCommandsUntilSelection();

    void firstPicture();
    void selectedHostShowsGreen();

private:
    QWindow *handle() const { return window->windowHandle(); }
    QPoint origin() const { return ui().Frame1->pos(); }
    QColor screenOf(const QImage &picture, int index) const
    {
        return picture.pixelColor(origin() + host(index).pos() + ScreenCentre);
    }
};

void TestLayout::init()
{
    start();
    QVERIFY(showWindow());
}

void TestLayout::windowSize()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Tolvane"));
    QCOMPARE(window->size(), QSize(743, 512));
    // The layout is absolute: the window keeps its size whatever is asked of it.
    window->resize(900, 700);
    QCOMPARE(window->size(), QSize(743, 512));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(messages.isEmpty());
}

void TestLayout::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QString>("text");
    for (const Control &c : Controls)
        QTest::newRow(c.name) << c.name << c.container << c.box << c.text;
}

void TestLayout::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, box);
    QFETCH(QString, text);

    const QWidget *w = window->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->parentWidget()->objectName(), container);
    QCOMPARE(w->geometry(), box);
    QVERIFY(w->parentWidget()->rect().contains(box));
    QVERIFY(w->isVisible());
    if (const auto *frame = qobject_cast<const QGroupBox *>(w))
        QCOMPARE(frame->title(), text);
    else if (const auto *label = qobject_cast<const QLabel *>(w))
        QCOMPARE(label->text(), text);
    else if (const auto *button = qobject_cast<const QPushButton *>(w))
        QCOMPARE(button->text(), text);
    else
        QVERIFY(text.isNull());
}

void TestLayout::keys()
{
    QSignalSpy broadcast(ui().Command2, &QPushButton::clicked);
    QSignalSpy clear(ui().Command3, &QPushButton::clicked);
    QSignalSpy exit(ui().Command1, &QPushButton::clicked);
    const auto pressed = [&] { return broadcast.count() + clear.count() + exit.count(); };
    // Disabled until the first selection: the access keys reach nothing.
    for (const Qt::Key key : {Qt::Key_B, Qt::Key_H, Qt::Key_E})
        QTest::keyClick(handle(), key, Qt::AltModifier);

    // No button is the default or the cancel one: Return, Enter and Escape press nothing.
    window->Komputer1_Click(0);
    for (const QPushButton *button : {ui().Command1, ui().Command2, ui().Command3})
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    ui().IPCari->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui().IPCari);
    QTest::keyClick(handle(), Qt::Key_Return);
    QTest::keyClick(handle(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(handle(), Qt::Key_Escape);
    QTest::qWait(300);
    QCOMPARE(pressed(), 0);

    // The host's own address, so that the broadcast stops at its message.
    ui().IPCari->setText(QStringLiteral("192.168.0.1"));
    QTest::keyClick(handle(), Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(broadcast.count(), 1);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, refusal(QStringLiteral("192.168.0.1")));
    QTest::keyClick(handle(), Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(clear.count(), 1);
    QCOMPARE(pressed(), 2);
    QVERIFY(window->isVisible());
}

void TestLayout::readOnlyBoxes()
{
    window->Komputer1_Click(1);
    for (QLineEdit *box : {ui().Nama, ui().IP, ui().MAC}) {
        const QString before = box->text();
        QVERIFY(!before.isEmpty());
        box->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(handle(), 'x');
        QTest::keyClick(handle(), '9');
        QTest::keyClick(handle(), Qt::Key_Backspace);
        QCOMPARE(box->text(), before);
    }

    ui().IPCari->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui().IPCari);
    QTest::keyClick(handle(), Qt::Key_End);
    QTest::keyClick(handle(), '9');
    QCOMPARE(ui().IPCari->text(), QStringLiteral("192.168.0.49"));
}

void TestLayout::arpTableView()
{
    const QTreeWidget *list = ui().ListView1;
    QCOMPARE(list->columnCount(), 2);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("IP"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("MAC"));
    QVERIFY(!list->isHeaderHidden());
    QCOMPARE(list->columnWidth(0), 93);
    QCOMPARE(list->columnWidth(1), 83);
    QVERIFY(!list->rootIsDecorated());

    const QFont font = list->font();
    QCOMPARE(font.family(), QStringLiteral("Courier New"));
    QCOMPARE(font.pointSizeF(), 8.25);
    QCOMPARE(font.weight(), QFont::Normal);

    // Whatever face the system picks for it must have Courier New's metrics: fixed pitch,
    // advance 1229, ascent 1705 and descent 615 per 2048 units of the em.
    const QFontInfo resolved(font);
    QVERIFY2(resolved.fixedPitch(), qPrintable(resolved.family()));
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
    QCOMPARE(ui().Nama->font(), window->font());
    QCOMPARE(ui().Command2->font(), window->font());
}

void TestLayout::segments_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QLine>("line");
    QTest::addColumn<int>("firstHost");
    QTest::addColumn<int>("secondHost");

    // The first end lies at the first host, the second at the second.
    QTest::newRow("Line1_0 across the top") << 0 << QLine(178, 166, 332, 166) << 0 << 1;
    QTest::newRow("Line1_1 down the right") << 1 << QLine(412, 297, 412, 173) << 2 << 1;
    QTest::newRow("Line1_2 across the bottom") << 2 << QLine(175, 436, 344, 436) << 3 << 2;
    QTest::newRow("Line1_3 up to the centre") << 3 << QLine(169, 397, 207, 333) << 3 << 4;
}

void TestLayout::segments()
{
    QFETCH(int, index);
    QFETCH(QLine, line);
    QFETCH(int, firstHost);
    QFETCH(int, secondHost);

    const Segment &segment = window->segment(index);
    QCOMPARE(segment.parentWidget(), ui().Frame1);
    QVERIFY(ui().Frame1->rect().contains(segment.geometry()));
    QCOMPARE(QLine(segment.start(), segment.end()), line);
    QCOMPARE(segment.BorderWidth(), 5);
    QCOMPARE(segment.BorderColor(), Segment::Black);

    const QPointF a = line.p1();
    const QPointF b = line.p2();
    const QRectF first = host(firstHost).geometry();
    const QRectF second = host(secondHost).geometry();
    QVERIFY2(distanceToBox(a, first) <= 3.0, qPrintable(QString::number(distanceToBox(a, first))));
    QVERIFY2(distanceToBox(b, second) <= 3.0,
             qPrintable(QString::number(distanceToBox(b, second))));
    for (int other = 0; other < fUtama::HostCount; ++other) {
        // Not even the width of the drawn line reaches another host.
        if (other != firstHost && other != secondHost)
            QVERIFY2(gapToBox(a, b, host(other).geometry()) > segment.BorderWidth() / 2.0,
                     qPrintable(hostName(other)));
    }

    // Drawn 5 pixels wide: the darkness across the line adds up to its width, measured along
    // a pixel row or column through its middle.
    const QImage picture = window->grab().toImage();
    const QPointF middle = (a + b) / 2.0;
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    const bool acrossColumn = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
    const double expected = segment.BorderWidth() * length /
                            (acrossColumn ? std::abs(b.x() - a.x()) : std::abs(b.y() - a.y()));
    double darkness = 0.0;
    for (int step = -8; step <= 8; ++step) {
        const QPoint at = acrossColumn ? QPoint(int(middle.x()), int(middle.y()) + step)
                                       : QPoint(int(middle.x()) + step, int(middle.y()));
        darkness += (255 - qGray(picture.pixel(origin() + at))) / 255.0;
    }
    QVERIFY2(std::abs(darkness - expected) <= 0.35,
             qPrintable(QStringLiteral("%1 for %2").arg(darkness).arg(expected)));
}

void TestLayout::onlyHosts2And4Overlap()
{
    for (int i = 0; i < fUtama::HostCount; ++i) {
        for (int j = i + 1; j < fUtama::HostCount; ++j) {
            const QRect shared = host(i).geometry() & host(j).geometry();
            if (i == 2 && j == 4)
                QCOMPARE(shared, QRect(QPoint(339, 292), QPoint(348, 359)));
            else
                QVERIFY2(shared.isEmpty(), qPrintable(hostName(i) + hostName(j)));
        }
    }
}

void TestLayout::stacking()
{
    const QFrame *frame = ui().Frame1;
    // Children are kept from the bottom of the stack to its top.
    QList<const QWidget *> order;
    for (const QObject *child : frame->children()) {
        if (const auto *w = qobject_cast<const QWidget *>(child))
            order.append(w);
    }
    const auto level = [&](const QWidget *w) { return order.indexOf(w); };
    const QList<int> fromTop = {2, 3, 0, 1, 4};
    for (int i = 0; i + 1 < fromTop.size(); ++i)
        QVERIFY2(level(&host(fromTop[i])) > level(&host(fromTop[i + 1])),
                 qPrintable(hostName(fromTop[i])));
    for (int s = 0; s < fUtama::SegmentCount; ++s) {
        QVERIFY(level(&window->segment(s)) >= 0);
        QVERIFY(level(&window->segment(s)) < level(&host(4)));
    }

    // Where a segment's end runs under a host, the picture shows the host, not the line; in
    // the shared strip host 2 is the one drawn.
    const QImage picture = window->grab().toImage();
    const struct
    {
        int host;
        QPoint at; // in Frame1
    } hidden[] = {
        {2, {412, 294}}, {1, {412, 173}}, {2, {341, 436}}, {3, {170, 395}}, {2, {344, 326}}};
    for (const auto &h : hidden) {
        Komputer &k = host(h.host);
        QVERIFY(k.geometry().contains(h.at));
        const QColor own = k.grab().toImage().pixelColor(h.at - k.pos());
        QVERIFY(!isBlack(own));
        QCOMPARE(picture.pixelColor(origin() + h.at), own);
    }
    QCOMPARE(frame->childAt(QPoint(344, 326)), &host(2));
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

    // Start from a selection elsewhere, so that the click has to move it.
    window->Komputer1_Click(0);
    // Through the window, so that Qt's own hit-testing picks the host.
    QTest::mouseClick(handle(), Qt::LeftButton, {}, ui().Frame1->mapTo(window.get(), at));
    QTRY_COMPARE(window->selectedIndex(), qint16(selected));
    QCOMPARE(lit(), QList<int>{selected});
    QVERIFY(messages.isEmpty());
}

void TestLayout::tabSkipsCommandsUntilSelection()
{
    const auto tabRound = [&](int presses) {
        QStringList stops;
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(handle(), Qt::Key_Tab);
            const QWidget *focus = QApplication::focusWidget();
            stops.append(focus ? focus->objectName() : QStringLiteral("(none)"));
        }
        return stops.join(u' ');
    };

    // The first host in the tab order has the focus when the window opens.
    QCOMPARE(QApplication::focusWidget(), &host(0));
    QCOMPARE(tabRound(11), QStringLiteral("Komputer1_1 Komputer1_2 Komputer1_3 Nama IP MAC "
                                          "ListView1 Command1 IPCari Komputer1_4 Komputer1_0"));

    // A real click on host 0 selects it, takes the focus and enables both commands.
    QTest::mouseClick(handle(), Qt::LeftButton, {}, host(0).mapTo(window.get(), QPoint(20, 130)));
    QTRY_VERIFY(ui().Command2->isEnabled());
    QCOMPARE(window->selectedIndex(), qint16(0));
    QCOMPARE(QApplication::focusWidget(), &host(0));
    QCOMPARE(tabRound(13),
             QStringLiteral("Komputer1_1 Komputer1_2 Komputer1_3 Nama IP MAC ListView1 Command1 "
                            "Command2 IPCari Command3 Komputer1_4 Komputer1_0"));
    QVERIFY(messages.isEmpty());
}

void TestLayout::firstPicture()
{
    const QImage picture = window->grab().toImage();

    // The network area is white between hosts and segments.
    for (const QPoint at : {QPoint(250, 100), QPoint(250, 470), QPoint(500, 250), QPoint(20, 250),
                            QPoint(190, 250), QPoint(260, 20), QPoint(420, 480)}) {
        for (int i = 0; i < fUtama::HostCount; ++i)
            QVERIFY(!host(i).geometry().contains(at));
        const QColor c = picture.pixelColor(origin() + at);
        QVERIFY2(isWhite(c),
                 qPrintable(QStringLiteral("(%1,%2) %3").arg(at.x()).arg(at.y()).arg(c.name())));
    }
    // The window's own background is not the network's white.
    QVERIFY(!isWhite(picture.pixelColor(3, 3)));
    QVERIFY(!isWhite(picture.pixelColor(524, 300)));

    for (int i = 0; i < fUtama::HostCount; ++i) {
        QVERIFY(host(i).rect().contains(ScreenCentre));
        QVERIFY2(isDarkScreen(screenOf(picture, i)), qPrintable(hostName(i)));
    }
    for (int s = 0; s < fUtama::SegmentCount; ++s) {
        const QPoint middle = (window->segment(s).start() + window->segment(s).end()) / 2;
        QVERIFY2(isBlack(picture.pixelColor(origin() + middle)), qPrintable(QString::number(s)));
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
    const QRect network = ui().Frame1->geometry();
    QCOMPARE(yellowIn(picture, network), 0);
    // The same look for a caption does find one: a word on host 3 turns up in its box only.
    host(3).setCaption(QStringLiteral("Receive"));
    const QImage withWord = window->grab().toImage();
    const QRect host3 = host(3).geometry().translated(origin());
    QVERIFY(yellowIn(withWord, host3) > 20);
    QCOMPARE(yellowIn(withWord, network), yellowIn(withWord, host3));
}

void TestLayout::selectedHostShowsGreen()
{
    window->Komputer1_Click(1);
    const QImage picture = window->grab().toImage();
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const QColor screen = screenOf(picture, i);
        QVERIFY2(i == 1 ? isLitScreen(screen) : isDarkScreen(screen),
                 qPrintable(hostName(i) + u' ' + screen.name()));
    }
    QVERIFY(messages.isEmpty());
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
