// The window's address generators and what Form_Load leaves behind before the window shows.

#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/RandomSource.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTime>

#include <cmath>
#include <memory>
#include <optional>
#include <set>

namespace {

constexpr float MacScale = 256.0f;
constexpr float IpScale = 240.0f;
// Form_Load draws six groups for each of the five hosts.
constexpr int LoadDraws = 6 * fUtama::HostCount;

// Feeds chosen draws in order and records how the window seeds and draws.
class FedSource : public RandomSource
{
public:
    explicit FedSource(QList<float> draws = {}) : m_draws(std::move(draws)) {}

    void seed(float secondsSinceMidnight) override
    {
        if (m_seeds.isEmpty())
            m_takenAtFirstSeed = m_taken;
        m_seeds.append(secondsSinceMidnight);
    }

    float draw() override
    {
        if (m_taken >= m_draws.size()) {
            ++m_overdrawn;
            return 0.0f;
        }
        return m_draws.at(m_taken++);
    }

    void feed(const QList<float> &draws) { m_draws += draws; }
    qsizetype taken() const { return m_taken; }
    qsizetype remaining() const { return m_draws.size() - m_taken; }
    int overdrawn() const { return m_overdrawn; }
    const QList<float> &seeds() const { return m_seeds; }
    qsizetype takenAtFirstSeed() const { return m_takenAtFirstSeed; }

private:
    QList<float> m_draws;
    qsizetype m_taken = 0;
    int m_overdrawn = 0;
    QList<float> m_seeds;
    qsizetype m_takenAtFirstSeed = -1;
};

// A draw in [0, 1) whose single-precision product with scale is exactly product, found among
// the floats next to product / scale; none if the product cannot come out of any draw.
std::optional<float> drawFor(float product, float scale)
{
    float r = product / scale;
    for (int step = 0; step < 8; ++step) {
        if (r * scale == product)
            break;
        r = std::nextafter(r, r * scale < product ? 1.0f : 0.0f);
    }
    if (r * scale != product || r < 0.0f || r >= 1.0f)
        return std::nullopt;
    return r;
}

QList<float> drawsFor(const QList<float> &products, float scale)
{
    QList<float> draws;
    for (const float product : products)
        draws.append(drawFor(product, scale).value_or(-1.0f));
    return draws;
}

const QRegularExpression
    MacForm(QStringLiteral("^([0-9A-F]|[1-9A-F][0-9A-F])(-([0-9A-F]|[1-9A-F][0-9A-F])){5}$"));
const QRegularExpression IpForm(QStringLiteral("^([1-9][0-9]{0,2})(\\.[1-9][0-9]{0,2}){3}$"));

// The products of the five hosts' MAC groups fed to Form_Load, and the MACs they make.
const QList<float> LoadProducts = {
    0,   1,   2,   3,   4,   5,   //
    10,  11,  12,  13,  14,  15,  //
    16,  32,  48,  64,  80,  96,  //
    160, 176, 192, 208, 224, 255, //
    171, 205, 239, 1,   35,  69,
};
const QStringList LoadMacs = {
    QStringLiteral("0-1-2-3-4-5"),       QStringLiteral("A-B-C-D-E-F"),
    QStringLiteral("10-20-30-40-50-60"), QStringLiteral("A0-B0-C0-D0-E0-FF"),
    QStringLiteral("AB-CD-EF-1-23-45"),
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void macGroup_data();
    void macGroup();
    void ipGroup_data();
    void ipGroup();
    void realDrawsKeepTheirForms_data();
    void realDrawsKeepTheirForms();
    void realSourceDrawsInRange();

    void seedsOnceBeforeDrawing();
    void hostAfterLoad_data();
    void hostAfterLoad();
    void randomMacsReplaceDesignOnes();
    void equalMacsAreKept_data();
    void equalMacsAreKept();
    void windowAfterLoad();
    void centredOnPrimaryScreen();

private:
    // A window whose Form_Load took its MAC draws from a source the test keeps reading.
    std::unique_ptr<fUtama> makeWindow(const QList<float> &loadDraws, FedSource *&source);

    QStringList m_messages;
};

void TestStartup::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestStartup::init()
{
    Runtime::reset();
    m_messages.clear();
    MessageBox::setRecorder([this](MessageBox::Icon, const QString &caption, const QString &text) {
        m_messages.append(caption + QLatin1String(": ") + text);
    });
}

void TestStartup::cleanup()
{
    MessageBox::setRecorder({});
    Runtime::reset();
}

std::unique_ptr<fUtama> TestStartup::makeWindow(const QList<float> &loadDraws, FedSource *&source)
{
    auto fed = std::make_unique<FedSource>(loadDraws);
    source = fed.get();
    return std::make_unique<fUtama>(std::move(fed));
}

void TestStartup::macGroup_data()
{
    QTest::addColumn<float>("product");
    QTest::addColumn<QString>("group");

    QTest::newRow("0 is 0") << 0.0f << QStringLiteral("0");
    QTest::newRow("0.25 rounds to 0") << 0.25f << QStringLiteral("0");
    QTest::newRow("0.5 goes to even 0") << 0.5f << QStringLiteral("0");
    QTest::newRow("just above 0.5 is 1") << std::nextafter(0.5f, 1.0f) << QStringLiteral("1");
    QTest::newRow("1.5 goes to even 2") << 1.5f << QStringLiteral("2");
    QTest::newRow("2.5 goes to even 2") << 2.5f << QStringLiteral("2");
    QTest::newRow("3.5 goes to even 4") << 3.5f << QStringLiteral("4");
    QTest::newRow("10 is one upper-case letter") << 10.0f << QStringLiteral("A");
    QTest::newRow("15 is F") << 15.0f << QStringLiteral("F");
    QTest::newRow("16 has two digits") << 16.0f << QStringLiteral("10");
    QTest::newRow("171 is AB") << 171.0f << QStringLiteral("AB");
    QTest::newRow("255.49 is FF") << 255.49f << QStringLiteral("FF");
    QTest::newRow("255.5 wraps to 0, not 100") << 255.5f << QStringLiteral("0");
    QTest::newRow("255.75 wraps to 0") << 255.75f << QStringLiteral("0");
    QTest::newRow("largest draw wraps to 0")
        << std::nextafter(1.0f, 0.0f) * MacScale << QStringLiteral("0");
}

void TestStartup::macGroup()
{
    QFETCH(float, product);
    QFETCH(QString, group);

    const std::optional<float> r = drawFor(product, MacScale);
    QVERIFY2(r, "no draw gives this product");
    QVERIFY(*r >= 0.0f && *r < 1.0f);
    const float computed = *r * MacScale;
    QVERIFY2(computed == product, qPrintable(QString::number(computed, 'g', 9)));

    FedSource *source = nullptr;
    const auto window = makeWindow(QList<float>(LoadDraws, 0.0f), source);
    QCOMPARE(source->taken(), LoadDraws);

    // The group under test in each of the six places, between groups of known text.
    const QList<float> others = {171, 205, 239, 1, 35, 69};
    const QStringList otherText = {QStringLiteral("AB"), QStringLiteral("CD"),
                                   QStringLiteral("EF"), QStringLiteral("1"),
                                   QStringLiteral("23"), QStringLiteral("45")};
    for (int place = 0; place < 6; ++place) {
        QList<float> products = others;
        products[place] = product;
        QStringList groups = otherText;
        groups[place] = group;
        const QList<float> draws = drawsFor(products, MacScale);
        QVERIFY(!draws.contains(-1.0f));
        source->feed(draws);

        const qsizetype before = source->taken();
        const QString mac = window->BuatMACAcak();
        QCOMPARE(source->taken() - before, 6);
        QCOMPARE(source->remaining(), 0);
        QCOMPARE(mac, groups.join(QLatin1Char('-')));
    }
    QCOMPARE(source->overdrawn(), 0);
    QCOMPARE(source->seeds().size(), 1);
}

void TestStartup::ipGroup_data()
{
    QTest::addColumn<float>("product");
    QTest::addColumn<QString>("group");

    QTest::newRow("0 becomes 1") << 0.0f << QStringLiteral("1");
    QTest::newRow("0.25 becomes 1") << 0.25f << QStringLiteral("1");
    QTest::newRow("0.5 goes to 0, becomes 1") << 0.5f << QStringLiteral("1");
    QTest::newRow("just above 0.5 is 1") << std::nextafter(0.5f, 1.0f) << QStringLiteral("1");
    QTest::newRow("1.5 goes to even 2") << 1.5f << QStringLiteral("2");
    QTest::newRow("2.5 goes to even 2") << 2.5f << QStringLiteral("2");
    QTest::newRow("3.5 goes to even 4") << 3.5f << QStringLiteral("4");
    QTest::newRow("100 in decimal") << 100.0f << QStringLiteral("100");
    QTest::newRow("238.5 goes to even 238") << 238.5f << QStringLiteral("238");
    QTest::newRow("239.4 is 239") << 239.4f << QStringLiteral("239");
    QTest::newRow("239.5 goes to 240, becomes 1") << 239.5f << QStringLiteral("1");
    QTest::newRow("239.75 becomes 1") << 239.75f << QStringLiteral("1");
    QTest::newRow("largest draw becomes 1")
        << std::nextafter(1.0f, 0.0f) * IpScale << QStringLiteral("1");
}

void TestStartup::ipGroup()
{
    QFETCH(float, product);
    QFETCH(QString, group);

    const std::optional<float> r = drawFor(product, IpScale);
    QVERIFY2(r, "no draw gives this product");
    QVERIFY(*r >= 0.0f && *r < 1.0f);
    const float computed = *r * IpScale;
    QVERIFY2(computed == product, qPrintable(QString::number(computed, 'g', 9)));

    FedSource *source = nullptr;
    const auto window = makeWindow(QList<float>(LoadDraws, 0.0f), source);

    const QList<float> others = {11, 22, 33, 44};
    const QStringList otherText = {QStringLiteral("11"), QStringLiteral("22"), QStringLiteral("33"),
                                   QStringLiteral("44")};
    for (int place = 0; place < 4; ++place) {
        QList<float> products = others;
        products[place] = product;
        QStringList groups = otherText;
        groups[place] = group;
        const QList<float> draws = drawsFor(products, IpScale);
        QVERIFY(!draws.contains(-1.0f));
        source->feed(draws);

        const qsizetype before = source->taken();
        const QString ip = window->BuatIPAcak();
        QCOMPARE(source->taken() - before, 4);
        QCOMPARE(source->remaining(), 0);
        QCOMPARE(ip, groups.join(QLatin1Char('.')));
    }
    QCOMPARE(source->overdrawn(), 0);
}

void TestStartup::realDrawsKeepTheirForms_data()
{
    QTest::addColumn<float>("seed");

    QTest::newRow("midnight") << 0.0f;
    QTest::newRow("one second") << 1.0f;
    QTest::newRow("noon") << 43200.0f;
    QTest::newRow("last second") << 86399.0f;
}

void TestStartup::realDrawsKeepTheirForms()
{
    QFETCH(float, seed);
    constexpr int Count = 20000;

    auto real = std::make_unique<RandomSource>();
    RandomSource *source = real.get();
    fUtama window(std::move(real));
    source->seed(seed);

    std::set<int> macGroups;
    for (int i = 0; i < Count; ++i) {
        const QString mac = window.BuatMACAcak();
        QVERIFY2(MacForm.match(mac).hasMatch(), qPrintable(mac));
        QCOMPARE(mac.count(QLatin1Char('-')), 5);
        QVERIFY2(mac.size() >= 11 && mac.size() <= 17, qPrintable(mac));
        for (const QString &group : mac.split(QLatin1Char('-'))) {
            bool ok = false;
            const int value = group.toInt(&ok, 16);
            QVERIFY(ok);
            QVERIFY(value >= 0 && value <= 255);
            macGroups.insert(value);
        }
    }
    // Every group value is reachable, the wrapped 256 included as 0.
    QCOMPARE(macGroups.size(), size_t(256));

    std::set<int> ipGroups;
    for (int i = 0; i < Count; ++i) {
        const QString ip = window.BuatIPAcak();
        QVERIFY2(IpForm.match(ip).hasMatch(), qPrintable(ip));
        QCOMPARE(ip.count(QLatin1Char('.')), 3);
        QVERIFY2(ip.size() >= 7 && ip.size() <= 15, qPrintable(ip));
        for (const QString &group : ip.split(QLatin1Char('.'))) {
            bool ok = false;
            const int value = group.toInt(&ok);
            QVERIFY(ok);
            QVERIFY2(value >= 1 && value <= 239, qPrintable(ip));
            ipGroups.insert(value);
        }
    }
    QCOMPARE(ipGroups.size(), size_t(239));
}

void TestStartup::realSourceDrawsInRange()
{
    constexpr int Count = 20000;
    RandomSource source;
    source.seed(1234.0f);
    std::set<float> distinct;
    QList<float> first;
    for (int i = 0; i < Count; ++i) {
        const float r = source.draw();
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(r, 'g', 9)));
        distinct.insert(r);
        if (i < 10)
            first.append(r);
    }
    QVERIFY2(distinct.size() > Count * 9 / 10, qPrintable(QString::number(distinct.size())));

    // The seed is used: another second of the day gives other draws.
    source.seed(1235.0f);
    QList<float> other;
    for (int i = 0; i < 10; ++i)
        other.append(source.draw());
    QVERIFY(other != first);
}

void TestStartup::seedsOnceBeforeDrawing()
{
    const int before = QTime::currentTime().msecsSinceStartOfDay() / 1000;
    FedSource *source = nullptr;
    const auto window = makeWindow(drawsFor(LoadProducts, MacScale), source);
    const int after = QTime::currentTime().msecsSinceStartOfDay() / 1000;
    if (after < before)
        QSKIP("the clock passed midnight while the window loaded");

    QCOMPARE(source->seeds().size(), 1);
    QCOMPARE(source->takenAtFirstSeed(), 0);
    const float seed = source->seeds().first();
    QCOMPARE(seed, std::floor(seed));
    QVERIFY2(seed >= float(before) && seed <= float(after), qPrintable(QString::number(seed)));
    QCOMPARE(source->taken(), LoadDraws);
    QCOMPARE(source->overdrawn(), 0);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestStartup::hostAfterLoad_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("nama");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("designMac");

    QTest::newRow("host 0") << 0 << QStringLiteral("Tesu") << QStringLiteral("192.168.0.1")
                            << QStringLiteral("11-11-11-11-11-11");
    QTest::newRow("host 1") << 1 << QStringLiteral("Bilrun") << QStringLiteral("192.168.0.2")
                            << QStringLiteral("22-22-22-22-22-22");
    QTest::newRow("host 2") << 2 << QStringLiteral("Dovel") << QStringLiteral("192.168.0.3")
                            << QStringLiteral("33-33-33-33-33-33");
    QTest::newRow("host 3") << 3 << QStringLiteral("Wimse") << QStringLiteral("192.168.0.4")
                            << QStringLiteral("44-44-44-44-44-44");
    QTest::newRow("host 4") << 4 << QStringLiteral("Lurfa") << QStringLiteral("192.168.0.5")
                            << QStringLiteral("44-44-44-44-44-44");
}

void TestStartup::hostAfterLoad()
{
    QFETCH(int, index);
    QFETCH(QString, nama);
    QFETCH(QString, ip);
    QFETCH(QString, designMac);

    FedSource *source = nullptr;
    const auto window = makeWindow(drawsFor(LoadProducts, MacScale), source);
    QCOMPARE(source->overdrawn(), 0);
    const Komputer &k = window->host(index);

    // The design values say on with caption "Label1"; start-up turns that off.
    QCOMPARE(k.State(), false);
    QVERIFY(!k.isLit());
    QCOMPARE(k.Caption(), QString());

    QCOMPARE(k.Nama(), nama);
    QCOMPARE(k.IP(), ip);
    QCOMPARE(k.MAC(), LoadMacs.at(index));
    QVERIFY(k.MAC() != designMac);

    QCOMPARE(k.Jumlah(), qint16(1));
    QCOMPARE(k.storageSize(), 1);
    QCOMPARE(k.AmbilIP(1).toString(), ip);
    QCOMPARE(k.AmbilMAC(1).toString(), LoadMacs.at(index));
    QCOMPARE(k.Ada(ip), qint16(1));
}

void TestStartup::randomMacsReplaceDesignOnes()
{
    const QStringList designMacs = {
        QStringLiteral("11-11-11-11-11-11"), QStringLiteral("22-22-22-22-22-22"),
        QStringLiteral("33-33-33-33-33-33"), QStringLiteral("44-44-44-44-44-44"),
        QStringLiteral("44-44-44-44-44-44"),
    };
    for (int start = 0; start < 3; ++start) {
        fUtama window;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            const Komputer &k = window.host(i);
            QVERIFY2(MacForm.match(k.MAC()).hasMatch(), qPrintable(k.MAC()));
            QVERIFY2(k.MAC() != designMacs.at(i), qPrintable(k.MAC()));
            QCOMPARE(k.Jumlah(), qint16(1));
            QCOMPARE(k.AmbilIP(1).toString(), k.IP());
            QCOMPARE(k.AmbilMAC(1).toString(), k.MAC());
        }
    }
}

void TestStartup::equalMacsAreKept_data()
{
    QTest::addColumn<QList<float>>("products");
    QTest::addColumn<QStringList>("macs");

    QList<float> twins = LoadProducts;
    for (int g = 0; g < 6; ++g)
        twins[4 * 6 + g] = twins[3 * 6 + g];
    QStringList twinMacs = LoadMacs;
    twinMacs[4] = twinMacs[3];
    QTest::newRow("hosts 3 and 4") << twins << twinMacs;

    QTest::newRow("all five") << QList<float>(LoadDraws, 18.0f)
                              << QStringList(fUtama::HostCount,
                                             QStringLiteral("12-12-12-12-12-12"));
}

void TestStartup::equalMacsAreKept()
{
    QFETCH(QList<float>, products);
    QFETCH(QStringList, macs);

    FedSource *source = nullptr;
    const auto window = makeWindow(drawsFor(products, MacScale), source);
    QCOMPARE(source->overdrawn(), 0);
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer &k = window->host(i);
        QCOMPARE(k.MAC(), macs.at(i));
        QCOMPARE(k.Jumlah(), qint16(1));
        QCOMPARE(k.AmbilMAC(1).toString(), macs.at(i));
    }
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestStartup::windowAfterLoad()
{
    FedSource *source = nullptr;
    const auto window = makeWindow(drawsFor(LoadProducts, MacScale), source);
    const Ui::fUtama &ui = window->controls();

    QVERIFY(!window->isVisible());
    QVERIFY(!ui.Command2->isEnabled());
    QVERIFY(!ui.Command3->isEnabled());
    QVERIFY(ui.Command1->isEnabled());
    QCOMPARE(ui.Nama->text(), QString());
    QCOMPARE(ui.IP->text(), QString());
    QCOMPARE(ui.MAC->text(), QString());
    QCOMPARE(ui.ListView1->topLevelItemCount(), 0);
    QCOMPARE(ui.IPCari->text(), QStringLiteral("192.168.0.4"));
    QCOMPARE(window->selectedIndex(), qint16(0));
    QVERIFY(!window->exchangeRunning());
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestStartup::centredOnPrimaryScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const QRectF area = screen->geometry();

    FedSource *source = nullptr;
    const auto window = makeWindow(drawsFor(LoadProducts, MacScale), source);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // The window as it stands on the screen, its client area and its frame, centred to within
    // the half pixel a whole-pixel position may lose.
    const auto offCentre = [&](const QRect &r) { return QRectF(r).center() - area.center(); };
    const QRect client(window->mapToGlobal(QPoint(0, 0)), window->size());
    for (const QRect &r : {client, window->frameGeometry()}) {
        const QPointF off = offCentre(r);
        QVERIFY2(std::abs(off.x()) <= 0.5 && std::abs(off.y()) <= 0.5,
                 qPrintable(QStringLiteral("(%1, %2) off for %3,%4 %5x%6")
                                .arg(off.x())
                                .arg(off.y())
                                .arg(r.x())
                                .arg(r.y())
                                .arg(r.width())
                                .arg(r.height())));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
