// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as the user drives it: the address generators at their boundary values; as it
// first shows (every host off with a fresh MAC, the window centred, the focus outline on host 0,
// keys in the address box, the network drawn); the order in which the packet travels from every
// origin, the worked example, whatever a click does while an exchange pauses, the refusal once
// the address is known, a run-time error reaching the user.

#include "WindowSuite.h"

#include <QBackingStore>
#include <QRegularExpression>
#include <QScreen>
#include <QTime>
#include <QWindow>

// Hands out the given values in turn, again from the first when they run out.
struct Draws : RandomSource
{
    void seed(float seconds) override { seeds << seconds; }
    float draw() override { return values[next++ % values.size()]; }
    QList<float> seeds, values;
    int next = 0;
};

class TestWindow : public WindowSuite
{
    Q_OBJECT

    Draws *draws = nullptr;

private Q_SLOTS:
    void init()
    {
        // 16 to 45 over 256: each host's MAC tells which draws it took.
        auto source = std::make_unique<Draws>();
        for (int n = 16; n < 46; ++n)
            source->values << n / 256.0f;
        draws = source.get();
        open(std::move(source));
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { close(); }

    // Each row: the draws => the MAC, then the IP they make.
    void generators_data()
    {
        QTest::addColumn<QList<float>>("values");
        QTest::addColumn<QString>("made");
        QTest::newRow("zero") << QList<float>{0} << "0-0-0-0-0-0 1.1.1.1";
        QTest::newRow("halves round to even")
            << QList<float>{2.5f / 256, 3.5f / 256, 0.5f / 256, 0.5f} << "2-4-0-80-2-4 2.3.1.120";
        QTest::newRow("the top rounds to 256, then 0; to 240, then 1")
            << QList<float>{255.5f / 256, 255.4f / 256, 239.4f / 240, 0.9999f}
            << "0-FF-FF-0-0-FF 1.239.239.1";
    }

    void generators()
    {
        QFETCH(QList<float>, values);
        draws->values = values;
        draws->next = 0;
        const QString mac = window->BuatMACAcak();
        draws->next = 0;
        QTEST(mac + u' ' + window->BuatIPAcak(), "made");
    }

    // Every host off and without a word (its own entry shows in clickDuringExchange's tables).
    void firstShown()
    {
        for (int i = 0; i < fUtama::HostCount; ++i)
            QVERIFY(!host(i).State() && host(i).Caption().isEmpty());
        QCOMPARE(host(0).MAC() + ' ' + host(4).MAC(), "10-11-12-13-14-15 28-29-2A-2B-2C-2D");
        QCOMPARE(lit() + box("IPCari")->text(), "192.168.0.4");
        QVERIFY(draws->seeds.size() == 1 && // seeded once, from the seconds of the day
                qAbs(draws->seeds[0] - QTime::currentTime().msecsSinceStartOfDay() / 1000) < 3);
        QVERIFY(!button("Command2")->isEnabled() && !button("Command3")->isEnabled());
        const QPoint centre = window->screen()->geometry().center();
        QVERIFY((window->geometry().center() - centre).manhattanLength() <= 2);
        QCOMPARE(window->font(), QFont("Arial", 8)); // the designed look, which Qt's would not be
        const QFont table = view()->font();
        QCOMPARE(table.family() + table.styleName() + QString::number(table.pointSizeF()),
                 "Courier NewRegular8.25");
        // Host 0, first in the tab order, has the focus, and shows it. No Alt key types into the
        // address box: before a host is chosen the buttons that own Alt+B and Alt+H are disabled,
        // and the key would reach the box. (That they press the buttons once enabled, the real
        // program shows under xvfb-run.)
        Komputer &k = host(0);
        const QImage focused = k.grab().toImage();
        QLineEdit *address = box("IPCari");
        address->setFocus();
        QTRY_VERIFY(!k.hasFocus());
        const QImage plain = k.grab().toImage();
        const QRgb highlight = k.palette().color(QPalette::Highlight).rgb();
        const int w = focused.width(), h = focused.height();
        for (const QPoint p : {QPoint(0, 0), QPoint(w / 2, 1), QPoint(1, h / 2),
                               QPoint(w - 2, h / 2), QPoint(w / 2, h - 2)})
            QVERIFY(focused.pixel(p) == highlight && plain.pixel(p) != highlight);
        // An outline two pixels wide and nothing else: inside it the host looks as without focus.
        QCOMPARE(focused.copy(2, 2, w - 4, h - 4), plain.copy(2, 2, w - 4, h - 4));
        QTest::keyClick(address, Qt::Key_End);
        QTest::keyClicks(address, "bh", Qt::AltModifier);
        QTest::keyClick(address, '5'); // a key without Alt still types
        QCOMPARE(address->text(), "192.168.0.45");
        // and every other event is the box's own: it draws what it holds.
        const QImage typed = address->grab().toImage();
        QTest::keyClick(address, Qt::Key_Backspace);
        QVERIFY(address->grab().toImage() != typed);
    }

    // The network drawn: the three straight segments 5 pixels wide, across their middle.
    void segments()
    {
        const QImage network = window->networkArea()->grab().toImage();
        for (int i = 0; i < 3; ++i) {
            const Segment &s = segment(i);
            const QPoint middle = (s.start() + s.end()) / 2;
            const QPoint across = s.start().y() == s.end().y() ? QPoint(0, 1) : QPoint(1, 0);
            QString lightness;
            for (int d = -4; d <= 4; ++d)
                lightness +=
                    QString::number(network.pixelColor(middle + d * across).lightness() / 26);
            QCOMPARE(lightness, "940000499"); // 4 pixels black, 2 halves grey
            // A click goes through to the area.
            QCOMPARE(window->networkArea()->childAt(middle), nullptr);
        }
        // A host: its screen dark until it is selected, and white where its picture ends.
        QVERIFY(network.pixelColor(host(0).pos() + QPoint(60, 25)).lightness() < 64);
        select(1); // a selected host's screen is lit green, where an unlit one is dark blue
        const QColor lit = host(1).grab().toImage().pixelColor(60, 25);
        QVERIFY(lit.green() > 2 * lit.blue());
        QCOMPARE(network.pixelColor(host(1).pos() + QPoint(146, 150)), QColor(Qt::white));

        // Each end point is placed as it is set, not only when the last one is.
        Segment &s = segment(3);
        for (const auto &[end, at] : {std::pair{"X1", 3}, {"Y1", 4}, {"X2", 600}, {"Y2", 600}}) {
            s.setProperty(end, at);
            QVERIFY(s.geometry().contains(s.start()) && s.geometry().contains(s.end()));
        }
        // A segment lit for a packet shows at once, not at the next full repaint.
        segment(2).setBorderColor(Segment::Green);
        QCoreApplication::processEvents();
        const auto *screen = static_cast<QImage *>(window->backingStore()->paintDevice());
        const QPoint middle = (segment(2).start() + segment(2).end()) / 2;
        QCOMPARE(screen->pixelColor(window->networkArea()->pos() + middle), QColor(Qt::green));
        // Settled, as between two exchanges: every segment black, no word on a host.
        host(1).setCaption("Saved!");
        window->settle();
        QCOMPARE(green() + host(1).Caption(), "");
    }

    // Each row: origin and target (none: an address nobody has) => the receptions as host and
    // lit segments ("423": host 4 while segments 2 and 3 are green), the request's, then the
    // reply's => the rows the view showed at the last pause.
    void order_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("0 to 3") << "0 3 => 10 21 32 43 | 22 423 11 00 => 1";
        QTest::newRow("1 to 4") << "1 4 => 00 201 32 43 | 33 22 11 00 => 2";
        QTest::newRow("2 to 0") << "2 0 => 11 312 00 403 | 10 21 32 43 => 2";
        QTest::newRow("3 to 2") << "3 2 => 22 423 11 00 | 11 312 00 403 => 2";
        QTest::newRow("4 to 1") << "4 1 => 33 22 11 00 | 00 201 32 43 => 1";
        QTest::newRow("2 to nobody") << "2 none => 11 312 00 403 => 1";
    }

    // Outward in passes, the lower side first; the segment lit while its host receives, all
    // black after; the view refreshed after every pass.
    void order()
    {
        QFETCH(QString, row);
        const QStringList part = row.split(" => ");
        const int origin = part[0].left(1).toInt();
        const bool answered = !part[0].endsWith("none");
        select(origin);
        Module1::ReplyReady = true; // as an earlier answered exchange leaves it
        broadcast(answered ? host(part[0].right(1).toInt()).IP() : "10.0.0.99");
        const QStringList received = pauses.filter(QRegularExpression("^.R"));
        QCOMPARE(received.join(u' ').remove(u'R'), QString(part[1]).remove("| "));
        QCOMPARE(QString::number(rowsAtPause), part[2]);
        QCOMPARE(green(), QString());
        QCOMPARE(listed(), Support::tableOf(host(origin)));
        QCOMPARE(box("MAC")->cursorPosition(), 0); // a long text shows from its start
        const Komputer &k = host(origin);
        QCOMPARE((QStringList{box("Nama")->text(), box("IP")->text(), box("MAC")->text(), lit()}),
                 (QStringList{k.Nama(), k.IP(), k.MAC(), QString::number(origin)}));
        QCOMPARE(k.Jumlah(), answered ? 2 : 1);
    }

    // Each row: the clicks, "pause:what" at the start of that pause (Command1 is Exit, 2
    // Broadcast, 3 Hapus Entri; "count3" leaves host 3 a count below zero, so that its next
    // entry has no room) => the pauses => the tables => the lit host, or the program's exit
    // status => the messages, if any.
    void clickDuringExchange_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("the worked example; a second Broadcast is ignored")
            << "3:Command2 12:Command2 => 21 => " + WorkedExample + " => lit 0";
        QTest::newRow("another host selected, then its table cleared")
            << "10:select2 11:Command3 => 21 => 1 4|2 1 4|3 4|4 1|5 1 4 => lit 2";
        QTest::newRow("Exit ends the exchange and the program")
            << "5:Command1 => 5 => 1|2 1|3 1|4|5 => exit 0";
        QTest::newRow("closing the window does too")
            << "14:close => 14 => 1|2 1|3 1 4|4 1|5 1 => exit 0";
        QTest::newRow("a run-time error reaches the user")
            << "1:count3 => 6 => 1|2 1|3 1||5 => exit 1 => !Tolvane|Run-time error: Subscript out "
               "of range";
    }

    void clickDuringExchange()
    {
        QFETCH(QString, row);
        const QStringList part = row.split(" => ");
        for (const QString &click : part[0].split(u' ')) {
            const QString what = click.section(u':', 1);
            queue(click.section(u':', 0, 0).toInt(), [this, what] {
                if (what == u"close")
                    window->windowHandle()->close();
                else if (what.startsWith(u"select"))
                    select(what.right(1).toInt());
                else if (what.startsWith(u"count"))
                    host(what.right(1).toInt()).setJumlah(-5);
                else
                    button(qPrintable(what))->click();
            });
        }
        select(0);
        broadcast("192.168.0.4");
        const bool ended = pause->ending();
        const QString end = ended ? "exit " + QString::number(pause->exitCode()) : "lit " + lit();
        QCOMPARE(QStringList({QString::number(pauses.size()), tables(), end}) + messages,
                 part.mid(1));
        QCOMPARE(window->isVisible(), !ended);
        // Once it has ended, the address is known: Broadcast only says so.
        const QString before = tables();
        pauses.clear();
        messages.clear();
        button("Command2")->click();
        const QString refusal = "Tolvane|Sudah ada nomor IP '192.168.0.4' dalam tabel ARP";
        QCOMPARE(messages, ended ? QStringList() : QStringList{refusal});
        QCOMPARE(tables() + pauses.join(u' '), before);
        // Hapus Entri leaves the selected host its own entry, and the view shows just that.
        if (!ended) {
            const Komputer &k = host(lit().toInt());
            button("Command3")->click();
            QCOMPARE(listed(), QStringList{k.IP() + u' ' + k.MAC()});
        }
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
