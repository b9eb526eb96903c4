// The whole simulation without a mouse: Tab walks the hosts and the controls in their order,
// a focused host shows a focus frame and Space selects it, Alt+B and Alt+H run the commands,
// and "Exit" is reached with Tab.

#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("(none)");
}

// The focus chain as Tab (or Shift+Tab) walks it once round, starting at host 0.
QStringList walk(QWidget *window, Qt::KeyboardModifiers modifiers, int steps)
{
    QStringList seen;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                        Qt::Key_Tab, modifiers);
        seen.append(focusName());
    }
    const qsizetype start = seen.indexOf(QStringLiteral("Komputer1_0"));
    if (start < 0)
        return seen;
    QStringList round = seen.mid(start) + seen.mid(0, start);
    round.removeDuplicates();
    return round;
}

// Whether the host's edge is drawn over, where an unfocused host shows its white background.
bool hasFrame(Komputer &host)
{
    const QImage image = host.grab().toImage();
    const int x = image.width() - 3;
    int marked = 0;
    for (int y = 3; y < image.height() - 3; ++y)
        marked +=
            image.pixel(1, y) != qRgb(255, 255, 255) && image.pixel(x, y) != qRgb(255, 255, 255);
    return marked > (image.height() - 6) * 8 / 10;
}

struct Message
{
    MessageBox::Icon icon;
    QString caption;
    QString text;
};

} // namespace

class KeyboardUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void tabOrder_data();
    void tabOrder();
    void focusedHostShowsFrame();
    void spaceSelects_data();
    void spaceSelects();
    void wholeSimulationByKeyboard();

private:
    void tabTo(const QString &name);

    std::unique_ptr<fUtama> m_window;
    QList<Message> m_messages;
};

void KeyboardUse::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void KeyboardUse::init()
{
    Runtime::reset();
    Runtime::setDelayPasses(1);
    m_messages.clear();
    MessageBox::setRecorder(
        [this](MessageBox::Icon icon, const QString &caption, const QString &text) {
            m_messages.append({icon, caption, text});
        });
    m_window = std::make_unique<fUtama>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void KeyboardUse::cleanup()
{
    m_window.reset();
    MessageBox::setRecorder({});
    Runtime::reset();
}

void KeyboardUse::tabTo(const QString &name)
{
    // At least one Tab: the focus a window gives on activation is not keyboard navigation.
    int steps = 0;
    do {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get(),
                        Qt::Key_Tab);
    } while (focusName() != name && ++steps < 20);
    QCOMPARE(focusName(), name);
}

void KeyboardUse::tabOrder_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QStringList>("order");

    // The hosts come first but host 4, which comes last; disabled commands are passed over.
    const QStringList before{"Komputer1_0", "Komputer1_1", "Komputer1_2", "Komputer1_3",
                             "Nama",        "IP",          "MAC",         "ListView1",
                             "Command1",    "IPCari",      "Komputer1_4"};
    const QStringList after{"Komputer1_0", "Komputer1_1", "Komputer1_2", "Komputer1_3", "Nama",
                            "IP",          "MAC",         "ListView1",   "Command1",    "Command2",
                            "IPCari",      "Command3",    "Komputer1_4"};
    QStringList afterBackwards{after.first()};
    for (qsizetype i = after.size() - 1; i > 0; --i)
        afterBackwards.append(after.at(i));

    QTest::newRow("before a selection") << false << false << before;
    QTest::newRow("after a selection") << true << false << after;
    QTest::newRow("after a selection, backwards") << true << true << afterBackwards;
}

void KeyboardUse::tabOrder()
{
    QFETCH(bool, selected);
    QFETCH(bool, backwards);
    QFETCH(QStringList, order);

    if (selected)
        m_window->Komputer1_Click(2);
    const QStringList round =
        walk(m_window.get(), backwards ? Qt::ShiftModifier : Qt::NoModifier, 2 * int(order.size()));
    QCOMPARE(round, order);
}

void KeyboardUse::focusedHostShowsFrame()
{
    tabTo(QStringLiteral("Komputer1_0"));
    QVERIFY(m_window->host(0).hasFocus());
    QVERIFY(hasFrame(m_window->host(0)));
    QVERIFY(!hasFrame(m_window->host(1)));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(m_window->host(1).hasFocus());
    QVERIFY(hasFrame(m_window->host(1)));
    QVERIFY(!hasFrame(m_window->host(0)));
}

void KeyboardUse::spaceSelects_data()
{
    QTest::addColumn<int>("host");
    for (int i = 0; i < fUtama::HostCount; ++i)
        QTest::addRow("host %d", i) << i;
}

void KeyboardUse::spaceSelects()
{
    QFETCH(int, host);

    tabTo(QStringLiteral("Komputer1_%1").arg(host));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_window->selectedIndex(), qint16(host));
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(m_window->host(i).isLit(), i == host);
    QCOMPARE(m_window->controls().Nama->text(), m_window->host(host).Nama());
    QCOMPARE(m_window->controls().ListView1->topLevelItemCount(), 1);
    // The focus stays where it was, so the next Tab goes on from the host.
    QCOMPARE(focusName(), QStringLiteral("Komputer1_%1").arg(host));
}

void KeyboardUse::wholeSimulationByKeyboard()
{
    const Ui::fUtama &ui = m_window->controls();

    // Select host 4, type the address of host 1 and resolve it.
    tabTo(QStringLiteral("Komputer1_4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_window->selectedIndex(), qint16(4));
    tabTo(QStringLiteral("IPCari"));
    QTest::keyClick(ui.IPCari, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ui.IPCari, QStringLiteral("192.168.0.2"));
    QCOMPARE(ui.IPCari->text(), QStringLiteral("192.168.0.2"));
    // An access key clicks its button as a short animation, once the event loop runs.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(ui.ListView1->topLevelItemCount(), 2);
    QCOMPARE(ui.ListView1->topLevelItem(1)->text(0), QStringLiteral("192.168.0.2"));
    QCOMPARE(ui.ListView1->topLevelItem(1)->text(1), m_window->host(1).MAC());

    // Again: the address is known now, and the message says so.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().caption, QStringLiteral("Tolvane"));
    QCOMPARE(m_messages.first().text,
             QStringLiteral("Sudah ada nomor IP '192.168.0.2' dalam tabel ARP"));

    // Clear the table, and leave with Tab and Space on "Exit".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(ui.ListView1->topLevelItemCount(), 1);
    tabTo(QStringLiteral("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(!m_window->isVisible());
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 0);
}

QTEST_MAIN(KeyboardUse)
#include "tst_keyboard.moc"
