#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <memory>

// Whatever a person can put into the IP box: nothing, blanks, text up to the box's full
// length, other scripts and directions, control characters and pasted line breaks. The
// broadcast takes the text exactly as the box holds it; as no host has such an address and
// no table holds it, the request goes round, everyone learns the requester, nobody answers
// and nothing is said.

using namespace Module1;

namespace {

enum class Entry
{
    Set,   // the box's text set as a program would
    Typed, // key by key
    Pasted // from the clipboard with Ctrl+V
};

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestBadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void broadcastTakesTheTextAsItIs_data();
    void broadcastTakesTheTextAsItIs();

private:
    void enter(Entry how, const QString &value);

    std::unique_ptr<fUtama> m_window;
    QStringList m_messages;
};

void TestBadInput::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestBadInput::init()
{
    Runtime::reset();
    Module1::reset();
    m_messages.clear();
    MessageBox::setRecorder(
        [this](MessageBox::Icon, const QString &, const QString &text) { m_messages << text; });
    m_window = std::make_unique<fUtama>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    Runtime::setDelayPasses(1);
}

void TestBadInput::cleanup()
{
    m_window.reset();
    MessageBox::setRecorder({});
    Runtime::reset();
    Module1::reset();
}

void TestBadInput::enter(Entry how, const QString &value)
{
    QLineEdit *box = m_window->controls().IPCari;
    switch (how) {
    case Entry::Set:
        box->setText(value);
        break;
    case Entry::Typed:
        box->clear();
        for (const QChar c : value) {
            // keyClicks knows only ASCII keys; other characters come as text, as an input
            // method delivers them.
            if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
                QTest::keyClick(box, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        break;
    case Entry::Pasted:
        box->clear();
        QGuiApplication::clipboard()->setText(value);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
    }
}

void TestBadInput::broadcastTakesTheTextAsItIs_data()
{
    QTest::addColumn<Entry>("how");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("from");

    const QString address = QStringLiteral("192.168.0.4"); // host 3's
    QTest::newRow("empty") << Entry::Set << QString() << 0;
    QTest::newRow("one blank") << Entry::Typed << QStringLiteral(" ") << 1;
    QTest::newRow("blanks") << Entry::Typed << QStringLiteral("     ") << 2;
    QTest::newRow("tab") << Entry::Set << QStringLiteral("\t") << 4;
    QTest::newRow("blank before") << Entry::Typed << u' ' + address << 0;
    QTest::newRow("blank after") << Entry::Typed << address + u' ' << 4;
    QTest::newRow("leading zero") << Entry::Typed << QStringLiteral("192.168.0.04") << 1;
    QTest::newRow("full length") << Entry::Set << QString(32767, u'9') << 0;
    QTest::newRow("longer than the box holds") << Entry::Set << address.repeated(4000) << 2;
    QTest::newRow("full length pasted") << Entry::Pasted << address.repeated(2979) << 4;
    QTest::newRow("arabic-indic digits")
        << Entry::Typed << QStringLiteral("\u0661\u0669\u0662.\u0661\u0666\u0668.\u0660.\u0664")
        << 0;
    QTest::newRow("fullwidth digits")
        << Entry::Typed << QStringLiteral("\uff11\uff19\uff12.\uff11\uff16\uff18.\uff10.\uff14")
        << 1;
    QTest::newRow("hebrew") << Entry::Typed << QStringLiteral("\u05e9\u05dc\u05d5\u05dd") << 2;
    QTest::newRow("right-to-left mark") << Entry::Typed << u'\u200f' + address << 0;
    QTest::newRow("right-to-left override") << Entry::Set << u'\u202e' + address << 4;
    QTest::newRow("zero-width space") << Entry::Pasted << address + u'\u200b' << 1;
    QTest::newRow("outside the basic plane")
        << Entry::Pasted << QStringLiteral("\U0001F5A7 ") + address << 2;
    QTest::newRow("lone surrogate") << Entry::Set << QString(QChar(0xd800)) << 3;
    QTest::newRow("nul inside") << Entry::Set << QStringLiteral("192.168\u00000.4") << 0;
    QTest::newRow("control characters") << Entry::Set << QStringLiteral("\x01\x02\x1b\x7f") << 1;
    QTest::newRow("escape sequence") << Entry::Pasted << QStringLiteral("\x1b[2J") + address << 3;
    QTest::newRow("pasted line break") << Entry::Pasted << address + u'\n' << 0;
    QTest::newRow("pasted windows line break")
        << Entry::Pasted << address + QStringLiteral("\r\n") << 2;
    QTest::newRow("pasted two lines")
        << Entry::Pasted << address + u'\n' + QStringLiteral("192.168.0.5") << 4;
    QTest::newRow("pasted line break only") << Entry::Pasted << QStringLiteral("\n") << 1;
}

void TestBadInput::broadcastTakesTheTextAsItIs()
{
    QFETCH(Entry, how);
    QFETCH(QString, value);
    QFETCH(int, from);

    const auto &ui = m_window->controls();
    enter(how, value);
    const QString T = ui.IPCari->text();
    // The box holds what was entered, cut at its length; nothing else is changed.
    QCOMPARE(T, value.left(ui.IPCari->maxLength()));
    for (int i = 0; i < fUtama::HostCount; ++i)
        QVERIFY2(m_window->host(i).IP() != T, "the row must not name a host's address");

    int found = 0;
    Runtime::setPauseObserver([&](Komputer &k) {
        if (k.Caption() == QLatin1String("Found!"))
            ++found;
    });
    const auto s = static_cast<qint16>(from);
    m_window->Komputer1_Click(s);
    const Komputer &requester = m_window->host(s);
    ui.Command2->click();

    QVERIFY(!Runtime::ending());
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(found, 0);
    QVERIFY(!ReplyReady);
    QCOMPARE(Packet.Operation, quint8(1));
    QCOMPARE(Packet.TargetIP, T);
    QCOMPARE(requester.Jumlah(), qint16(1));
    QCOMPARE(ui.ListView1->topLevelItemCount(), 1);
    for (int i = 0; i < fUtama::HostCount; ++i) {
        if (i == from)
            continue;
        const Komputer &k = m_window->host(i);
        QCOMPARE(k.Jumlah(), qint16(2));
        QCOMPARE(k.AmbilIP(2).toString(), requester.IP());
        QCOMPARE(k.AmbilMAC(2).toString(), requester.MAC());
        QCOMPARE(k.Ada(T), qint16(0));
    }
    // The same text again: still unknown to the requester, so it goes round once more and
    // nobody learns anything new.
    ui.Command2->click();
    QVERIFY(m_messages.isEmpty());
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(m_window->host(i).Jumlah(), qint16(i == from ? 1 : 2));
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
