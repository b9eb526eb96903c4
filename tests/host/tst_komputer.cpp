#include "HostTest.h"
#include "host/PropertyBag.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QWindow>

#include <functional>

using namespace HostTest;

namespace {

const QStringList StoredNames = {QStringLiteral("Nama"),   QStringLiteral("MAC"),
                                 QStringLiteral("State"),  QStringLiteral("IP"),
                                 QStringLiteral("Jumlah"), QStringLiteral("Caption")};
const QVariantList Defaults = {"0", "0", true, "0", QVariant::fromValue(qint16(0)), "Label1"};
const QString Name = QStringLiteral("Server");
const QString Ip = QStringLiteral("192.168.0.1");
const QString Mac = QStringLiteral("00-0C-29-4F-8E-35");

const QColor White(255, 255, 255);

// Where the caption label and the lit screen lie on a host, in pixels (15 twips each).
const QRect CaptionArea(47, 34, 61, 23);
const QPoint ScreenCorner(42, 16);

// Counts passes of event processing: it posts itself again each time it runs, and an event
// posted while events are being handled waits for the next pass.
class PassCounter : public QObject
{
public:
    int passes = 0;
    std::function<void(int)> onPass;

    PassCounter() { start(); }
    void start() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }

protected:
    void customEvent(QEvent *) override
    {
        ++passes;
        if (onPass)
            onPass(passes);
        start();
    }
};

// A shown host in a larger window, so that a mouse release can also happen beside it.
struct Placed
{
    QWidget window;
    Komputer *host;
    QLineEdit *edit;
    QSignalSpy clicks;

    Placed()
        : host(new Komputer(&window)), edit(new QLineEdit(&window)), clicks(host, &Komputer::Click)
    {
        window.resize(400, 300);
        host->move(20, 30);
        edit->setGeometry(220, 30, 150, 24);
    }
    QWindow *handle() { return window.windowHandle(); }
    QPoint at(QPoint local) const { return host->mapTo(&window, local); }
};

QImage render(Komputer &host)
{
    return host.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage picture(const char *name)
{
    return QImage(QStringLiteral(":/host/pictures/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_RGB32);
}

// What a host of this size shows with no caption: the computer picture at its natural size
// from the top-left corner, the lit screen over it when on, white wherever neither reaches.
QImage expectedLook(QSize size, bool lit)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    painter.drawImage(0, 0, picture("komputer"));
    if (lit)
        painter.drawImage(ScreenCorner, picture("nyala"));
    return image;
}

// Pixels within area for which the test holds.
int pixelsWhere(QRect area, const std::function<bool(int, int)> &test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(x, y) ? 1 : 0;
    }
    return count;
}

// Pixels in which the two images differ, outside skip; -1 if their sizes differ.
int differences(const QImage &actual, const QImage &expected, QRect skip = QRect())
{
    if (actual.size() != expected.size())
        return -1;
    return pixelsWhere(actual.rect(), [&](int x, int y) {
        return !skip.contains(x, y) && actual.pixel(x, y) != expected.pixel(x, y);
    });
}

// The six stored values as the host's properties show them, in the store's order.
QVariantList valuesOf(const Komputer &host)
{
    QVariantList values;
    for (const QString &name : StoredNames)
        values << host.property(name.toLatin1().constData());
    return values;
}

void setValues(Komputer &host, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        QVERIFY(host.setProperty(StoredNames[i].toLatin1().constData(), values[i]));
}

PropertyBag bagOf(const QVariantList &values)
{
    PropertyBag bag;
    for (int i = 0; i < values.size(); ++i)
        bag.WriteProperty(StoredNames[i], values[i], QVariant());
    return bag;
}

QString accessibleText(Komputer &host, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&host);
    return face ? face->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

// The host's display, its stored design-time values, its Click and its pause.
class TestKomputer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetShared(); }
    void cleanup() { resetShared(); }

    void displayFollowsSetters();
    void setterSendsOwnNotice_data();
    void setterSendsOwnNotice();

    // Design-time store
    void load_data();
    void load();
    void loadConverts_data();
    void loadConverts();
    void saveThenLoadRoundTrips_data();
    void saveThenLoadRoundTrips();

    // Click
    void mouse_data();
    void mouse();
    void spaceOnFocusedHostIsClick();

    // Pause
    void delayRunsItsPasses_data();
    void delayRunsItsPasses();
    void delayUnwindsOnceEnding_data();
    void delayUnwindsOnceEnding();

    // Looks
    void sizeCutsOrPadsPicture_data();
    void sizeCutsOrPadsPicture();
    void wordIsYellowOverScreen_data();
    void wordIsYellowOverScreen();
    void accessibleNameAndDescription();
};

void TestKomputer::displayFollowsSetters()
{
    Komputer host;
    QCOMPARE(host.size(), QSize(148, 157));
    QVERIFY(!host.isLit());
    QCOMPARE(host.Caption(), QStringLiteral("Label1"));
    QCOMPARE(host.metaObject()->classInfo(host.metaObject()->indexOfClassInfo("ClassId")).value(),
             "Kavora.Komputer");
    for (const bool state : {false, true, true, false, true}) {
        host.setState(state);
        QCOMPARE(host.isLit(), state);
    }
    host.setCaption(QStringLiteral("Found!"));
    QCOMPARE(host.Caption(), QStringLiteral("Found!"));
}

void TestKomputer::setterSendsOwnNotice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("Nama") << "Nama" << QVariant(Name);
    QTest::newRow("MAC") << "MAC" << QVariant(Mac);
    QTest::newRow("State on") << "State" << QVariant(true);
    QTest::newRow("State off") << "State" << QVariant(false);
    QTest::newRow("IP") << "IP" << QVariant(Ip);
    QTest::newRow("Jumlah") << "Jumlah" << QVariant::fromValue(qint16(3));
    QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("Saved!"));
    QTest::newRow("Caption empty") << "Caption" << QVariant(QString());
}

void TestKomputer::setterSendsOwnNotice()
{
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    Komputer host;
    QSignalSpy notices(&host, &Komputer::PropertyChanged);
    const QByteArray key = name.toLatin1();

    // The second set writes the same value again: it is announced all the same.
    QVERIFY(host.setProperty(key.constData(), value));
    QVERIFY(host.setProperty(key.constData(), value));
    QCOMPARE(namesOf(notices), QStringList({name, name}));
    QCOMPARE(host.property(key.constData()), value);
}

void TestKomputer::load_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("lit");
    const QStringList window{"nama", "mac", "ip"};
    QTest::newRow("as the window stores them") << window << "store" << false;
    QTest::newRow("as the host names them") << QStringList{"Nama", "MAC", "IP"} << "store" << true;
    QTest::newRow("mixed case") << QStringList{"nAmA", "Mac", "iP"} << "store" << false;
    QTest::newRow("from the layout's dynamic properties") << window << "dynamic" << false;
    QTest::newRow("empty store") << QStringList() << "store" << true;
    QTest::newRow("new instance, dark") << QStringList() << "new instance" << false;
    QTest::newRow("new instance, lit") << QStringList() << "new instance" << true;
}

void TestKomputer::load()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, source);
    QFETCH(bool, lit);
    Komputer host;
    setValues(host, {"old", "old", lit, "old", QVariant::fromValue(qint16(4)), "Found!"});
    PropertyBag bag;
    const QStringList values = {Name, Mac, Ip};
    for (int i = 0; i < keys.size(); ++i) {
        if (source == QLatin1String("dynamic"))
            host.setProperty(keys[i].toLatin1().constData(), values[i]);
        else
            bag.WriteProperty(keys[i], values[i], QVariant());
    }
    if (source == QLatin1String("dynamic")) {
        host.setProperty("_extentx", 2220);
        host.setProperty("_q_internal", QStringLiteral("not design data"));
        bag = PropertyBag::fromDynamicProperties(host);
        QCOMPARE(bag.ReadProperty(QStringLiteral("_EXTENTX"), QVariant()), QVariant(2220));
        QVERIFY(!bag.contains(QStringLiteral("_q_internal")));
    }
    QSignalSpy notices(&host, &Komputer::PropertyChanged);

    if (source == QLatin1String("new instance"))
        host.NewInstance();
    else
        host.LoadProperties(bag);

    // Values are set directly: the lit screen stays as it was, and no notice is sent.
    QVariantList expected = Defaults;
    if (!keys.isEmpty()) {
        expected[0] = Name;
        expected[1] = Mac;
        expected[3] = Ip;
    }
    if (source == QLatin1String("new instance"))
        expected[5] = QStringLiteral("Found!"); // a new instance keeps the label's text
    QCOMPARE(valuesOf(host), expected);
    QCOMPARE(host.isLit(), lit);
    QCOMPARE(notices.count(), 0);
}

void TestKomputer::loadConverts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("loaded");
    QTest::addColumn<QString>("error");
    const QVariant point(QPoint(1, 2));
    const QVariant none;
    auto count = [](int n) { return QVariant::fromValue(qint16(n)); };
    QTest::newRow("State from text False") << "State" << QVariant("False") << QVariant(false) << "";
    QTest::newRow("State from -1") << "State" << QVariant(-1) << QVariant(true) << "";
    QTest::newRow("Jumlah from text") << "Jumlah" << QVariant("3") << count(3) << "";
    QTest::newRow("Jumlah rounds half to even, down")
        << "Jumlah" << QVariant(2.5) << count(2) << "";
    QTest::newRow("Jumlah rounds half to even, up") << "Jumlah" << QVariant(3.5) << count(4) << "";
    QTest::newRow("Jumlah from true") << "Jumlah" << QVariant(true) << count(-1) << "";
    QTest::newRow("Nama from a number") << "Nama" << QVariant(42) << QVariant("42") << "";
    QTest::newRow("IP from a boolean") << "IP" << QVariant(true) << QVariant("True") << "";
    // A value that does not convert stops the load there: the names before it are loaded.
    QTest::newRow("Nama not text") << "Nama" << point << none << TypeMismatch;
    QTest::newRow("State maybe") << "State" << QVariant("maybe") << none << TypeMismatch;
    QTest::newRow("IP not text") << "IP" << point << none << TypeMismatch;
    QTest::newRow("Jumlah 40000") << "Jumlah" << QVariant(40000) << none << Overflow;
    QTest::newRow("Jumlah below the range") << "Jumlah" << QVariant(-32769) << none << Overflow;
    QTest::newRow("Caption not text") << "Caption" << point << none << TypeMismatch;
}

void TestKomputer::loadConverts()
{
    QFETCH(QString, name);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, loaded);
    QFETCH(QString, error);
    const QVariantList before = {
        "old name", "old mac", false, "old ip", QVariant::fromValue(qint16(0)), "old caption"};
    QVariantList after = {Name, Mac, true, Ip, QVariant::fromValue(qint16(5)), "Found!"};
    Komputer host;
    setValues(host, before);
    PropertyBag bag = bagOf(after);
    bag.WriteProperty(name, stored, QVariant());
    QSignalSpy notices(&host, &Komputer::PropertyChanged);

    QCOMPARE(errorOf([&] { host.LoadProperties(bag); }), error);

    const int at = StoredNames.indexOf(name);
    after[at] = loaded;
    QCOMPARE(valuesOf(host), error.isEmpty() ? after : after.mid(0, at) + before.mid(at));
    QCOMPARE(notices.count(), 0);
}

void TestKomputer::saveThenLoadRoundTrips_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::newRow("off, with a word")
        << QVariantList({Name, Mac, false, Ip, QVariant::fromValue(qint16(3)), "Found!"});
    QTest::newRow("the defaults") << Defaults;
    QTest::newRow("negative count") << QVariantList(
        {" a ", "", false, "192.168.0.1 ", QVariant::fromValue(qint16(-32768)), " "});
}

void TestKomputer::saveThenLoadRoundTrips()
{
    QFETCH(QVariantList, values);
    Komputer original;
    setValues(original, values);
    QSignalSpy notices(&original, &Komputer::PropertyChanged);
    PropertyBag bag;
    original.SaveProperties(bag);

    // All six in order, even at their defaults, with State and Jumlah keeping their types.
    QCOMPARE(bag.names(), StoredNames);
    QCOMPARE(bag.ReadProperty(QStringLiteral("State"), QVariant()).typeId(), QMetaType::Bool);
    QCOMPARE(bag.ReadProperty(QStringLiteral("Jumlah"), QVariant()).typeId(), QMetaType::Short);
    QCOMPARE(notices.count(), 0);

    // The count comes back without any storage behind it.
    Komputer copy;
    copy.LoadProperties(bag);
    QCOMPARE(valuesOf(copy), values);
    QCOMPARE(copy.storageSize(), 0);
}

void TestKomputer::mouse_data()
{
    QTest::addColumn<bool>("lit");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("clicks");
    // The labels on the screen pass the mouse through to the host.
    const int left = Qt::LeftButton;
    const QPoint caption = CaptionArea.center();
    const QPoint beside(200, 60);
    for (const QPoint point : {QPoint(2, 2), QPoint(70, 156), QPoint(48, 20), caption})
        QTest::addRow("left at %d,%d, dark", point.x(), point.y())
            << false << left << point << point << 1;
    for (const QPoint point : {QPoint(111, 67), caption})
        QTest::addRow("left at %d,%d, lit", point.x(), point.y())
            << true << left << point << point << 1;
    QTest::newRow("right button") << true << int(Qt::RightButton) << caption << caption << 0;
    QTest::newRow("middle button") << true << int(Qt::MiddleButton) << caption << caption << 0;
    QTest::newRow("left, released beside the host") << true << left << caption << beside << 0;
    QTest::newRow("left, released just past the edge")
        << true << left << QPoint(140, 60) << QPoint(148, 60) << 0;
    QTest::newRow("left, pressed beside the host") << true << left << beside << caption << 0;
}

void TestKomputer::mouse()
{
    QFETCH(bool, lit);
    QFETCH(int, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(int, clicks);
    Placed placed;
    placed.host->setState(lit);
    placed.host->setCaption(QStringLiteral("Found!"));
    placed.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&placed.window));
    const auto which = static_cast<Qt::MouseButton>(button);

    // Through the window, so the event goes to whichever widget lies under the point.
    QTest::mousePress(placed.handle(), which, {}, placed.at(press));
    QTest::mouseRelease(placed.handle(), which, {}, placed.at(release));
    QCOMPARE(placed.clicks.count(), clicks);

    // Nothing is left pending: the next ordinary click is one click.
    QTest::mouseClick(placed.handle(), Qt::LeftButton, {}, placed.at(QPoint(75, 130)));
    QCOMPARE(placed.clicks.count(), clicks + 1);
}

void TestKomputer::spaceOnFocusedHostIsClick()
{
    Placed placed;
    placed.window.show();
    placed.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&placed.window));

    // Keys go through the window to whatever has the focus.
    placed.edit->setFocus();
    QTRY_VERIFY(placed.edit->hasFocus());
    QTest::keyClick(placed.handle(), Qt::Key_Space);
    QCOMPARE(placed.clicks.count(), 0);
    QCOMPARE(placed.edit->text(), QStringLiteral(" "));

    placed.host->setFocus();
    QTRY_VERIFY(placed.host->hasFocus());
    QTest::keyClick(placed.handle(), Qt::Key_Space);
    QTest::keyClick(placed.handle(), Qt::Key_Return);
    QTest::keyClick(placed.handle(), Qt::Key_A);
    QCOMPARE(placed.clicks.count(), 1);
}

void TestKomputer::delayRunsItsPasses_data()
{
    QTest::addColumn<int>("passes");
    QTest::newRow("one") << 1;
    QTest::newRow("ten") << 10;
    QTest::newRow("the program's own length") << -1;
}

void TestKomputer::delayRunsItsPasses()
{
    QFETCH(int, passes);
    if (passes > 0)
        Runtime::setDelayPasses(passes);
    else
        passes = 100000;
    Komputer host;
    PassCounter counter;
    // The observer is told first, with the pausing host.
    QStringList told;
    Runtime::setPauseObserver([&](Komputer &pausing) {
        told << QStringLiteral("%1 after %2").arg(pausing.Nama()).arg(counter.passes);
    });
    host.setNama(QStringLiteral("pausing"));
    // A click on another host while one pauses is handled inside the pause.
    Komputer other;
    QSignalSpy clicks(&other, &Komputer::Click);
    const QPointF point(75, 130);
    QCoreApplication::postEvent(&other, new QMouseEvent(QEvent::MouseButtonPress, point, point,
                                                        Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(&other, new QMouseEvent(QEvent::MouseButtonRelease, point, point,
                                                        Qt::LeftButton, Qt::NoButton, {}));

    host.Delay();

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(counter.passes, passes);
    QCOMPARE(told, QStringList({QStringLiteral("pausing after 0")}));
}

void TestKomputer::delayUnwindsOnceEnding_data()
{
    QTest::addColumn<int>("endAtPass"); // 0: the program is ending before the pause starts
    QTest::newRow("ending before the pause") << 0;
    QTest::newRow("ending in the first pass") << 1;
    QTest::newRow("ending in the fourth pass") << 4;
}

void TestKomputer::delayUnwindsOnceEnding()
{
    QFETCH(int, endAtPass);
    Runtime::setDelayPasses(100);
    Komputer host;
    int observed = 0;
    Runtime::setPauseObserver([&](Komputer &) { ++observed; });
    PassCounter counter;
    counter.onPass = [&](int pass) {
        if (pass == endAtPass)
            Runtime::end(0);
    };
    if (endAtPass == 0)
        Runtime::end(0);

    QVERIFY_THROWS_EXCEPTION(Unwind, host.Delay());

    // At most one more pass after the end was asked for, none of the remaining ones.
    QVERIFY2(counter.passes >= endAtPass && counter.passes <= endAtPass + 1,
             qPrintable(QStringLiteral("%1 passes").arg(counter.passes)));
    QCOMPARE(observed, 1);
}

void TestKomputer::sizeCutsOrPadsPicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("lit");
    QTest::newRow("design size") << QSize(148, 157) << false;
    QTest::newRow("design size, lit") << QSize(148, 157) << true;
    QTest::newRow("narrowest placed, 2130 twips") << QSize(142, 168) << false;
    QTest::newRow("host 1's size, lit") << QSize(148, 156) << true;
}

void TestKomputer::sizeCutsOrPadsPicture()
{
    QFETCH(QSize, size);
    QFETCH(bool, lit);
    QCOMPARE(picture("komputer").size(), QSize(145, 155));
    QCOMPARE(picture("nyala").size(), QSize(70, 52));
    Komputer host;
    host.resize(size);
    host.setState(lit);
    host.setCaption(QStringLiteral("Found!"));
    host.setCaption(QString());
    const QImage shown = render(host);

    // Neither stretched nor repeated, and an empty caption shows no box of its own.
    QCOMPARE(differences(shown, expectedLook(size, lit)), 0);
    const QColor screen = shown.pixelColor(75, 40);
    if (lit)
        QVERIFY2(screen.green() > 60 && screen.green() > 2 * screen.red() &&
                     screen.green() > 2 * screen.blue(),
                 qPrintable(screen.name()));
    else
        QVERIFY2(screen.lightness() < 60 && screen.blue() >= screen.red(),
                 qPrintable(screen.name()));
}

void TestKomputer::wordIsYellowOverScreen_data()
{
    QTest::addColumn<bool>("lit");
    QTest::addColumn<QString>("word");
    for (const char *word : {"Receive", "Saved!", "Found!"}) {
        QTest::addRow("off, %s", word) << false << QString::fromLatin1(word);
        QTest::addRow("on, %s", word) << true << QString::fromLatin1(word);
    }
}

void TestKomputer::wordIsYellowOverScreen()
{
    QFETCH(bool, lit);
    QFETCH(QString, word);
    Komputer host;
    host.setState(lit);
    host.setCaption(word);
    const QImage shown = render(host);
    const QImage bare = expectedLook(host.size(), lit);

    const int yellow = pixelsWhere(CaptionArea, [&](int x, int y) {
        const QRgb pixel = shown.pixel(x, y);
        return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) < 100;
    });
    QVERIFY2(yellow >= 20, qPrintable(QStringLiteral("%1 yellow pixels").arg(yellow)));
    // Around the letters the screen shows through, and nothing of the word reaches past.
    const int covered = differences(shown.copy(CaptionArea), bare.copy(CaptionArea));
    QVERIFY2(covered < CaptionArea.width() * CaptionArea.height() / 2,
             qPrintable(QString::number(covered)));
    QCOMPARE(differences(shown, bare, CaptionArea), 0);
}

void TestKomputer::accessibleNameAndDescription()
{
    Komputer host;
    setValues(host, {Name, Mac, false, Ip, QVariant::fromValue(qint16(0)), ""});
    const QRegularExpression on(QStringLiteral("\\bon\\b"));
    const QRegularExpression off(QStringLiteral("\\boff\\b"));
    QCOMPARE(accessibleText(host, QAccessible::Name), Name);
    QString text = accessibleText(host, QAccessible::Description);
    QVERIFY2(text.contains(Ip) && text.contains(off) && !text.contains(on), qPrintable(text));

    host.setState(true);
    host.setCaption(QStringLiteral("Found!"));
    text = accessibleText(host, QAccessible::Description);
    QVERIFY2(text.contains(on) && !text.contains(off) && text.contains(QStringLiteral("Found!")),
             qPrintable(text));

    // A word flashed by reception is described while it shows, and gone afterwards.
    QString duringPause;
    Runtime::setDelayPasses(1);
    Runtime::setPauseObserver([&](Komputer &pausing) {
        if (duringPause.isEmpty())
            duringPause = accessibleText(pausing, QAccessible::Description);
    });
    host.setCaption(QString());
    Module1::Packet.SenderIP = QStringLiteral("192.168.0.2");
    host.Receive();
    QVERIFY2(duringPause.contains(QStringLiteral("Receive")), qPrintable(duringPause));
    text = accessibleText(host, QAccessible::Description);
    QVERIFY2(!text.contains(QStringLiteral("Receive")) && !text.contains(QStringLiteral("Saved!")),
             qPrintable(text));

    // Values loaded from the design data are what a screen reader reads as well.
    host.LoadProperties(bagOf({QStringLiteral("Client 3"), Mac, true, "192.168.0.4"}));
    QCOMPARE(accessibleText(host, QAccessible::Name), QStringLiteral("Client 3"));
    QVERIFY(accessibleText(host, QAccessible::Description).contains(QStringLiteral("192.168.0.4")));
}

TOLVANE_HOST_TEST_MAIN(TestKomputer)
#include "tst_komputer.moc"
