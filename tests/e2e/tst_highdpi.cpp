#include "TolvaneRun.h"

#include <QtTest>

namespace {

constexpr int Scale = 2;

// Pixels of the shown area that differ from the picture, over the area the two share.
int differences(const QImage &shown, const QImage &picture)
{
    const QImage wanted = picture.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(shown.width(), wanted.width());
    const int height = std::min(shown.height(), wanted.height());
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            differing += (shown.pixel(x, y) & 0xffffff) != (wanted.pixel(x, y) & 0xffffff) ? 1 : 0;
    }
    return differing;
}

} // namespace

// The real program at QT_SCALE_FACTOR=2: a window twice its size, and the hosts drawn from
// the pictures made for that density, pixel for pixel.
class HighDpi : public TolvaneTest
{
    Q_OBJECT

public:
    HighDpi() : TolvaneTest({QStringLiteral("QT_SCALE_FACTOR=2")}) {}

private Q_SLOTS:
    void picturesComeFromTheirDoubleVersions_data();
    void picturesComeFromTheirDoubleVersions();
};

void HighDpi::picturesComeFromTheirDoubleVersions_data()
{
    QTest::addColumn<bool>("lit");
    QTest::addColumn<QString>("picture");

    QTest::newRow("computer") << false << QStringLiteral("komputer");
    QTest::newRow("lit screen") << true << QStringLiteral("nyala");
}

void HighDpi::picturesComeFromTheirDoubleVersions()
{
    QFETCH(bool, lit);
    QFETCH(QString, picture);

    QCOMPARE(m_run->geometry().size(), Scene::WindowSize * Scale);
    // Host 1 is the one host wider than the computer picture, so none of it is cut off.
    const int host = 1;
    if (lit)
        QVERIFY(m_run->click(Scene::centre(host) * Scale));
    const QRect logical = lit ? Scene::screenRect(host) : Scene::hostRect(host);
    const QRect area(logical.topLeft() * Scale, logical.size() * Scale);
    const QString path = QStringLiteral(TOLVANE_PICTURES "/") + picture;
    const QImage doubled(path + QStringLiteral("@2x.png"));
    const QImage upscaled = QImage(path + QStringLiteral(".png")).scaled(doubled.size());
    QVERIFY(!doubled.isNull());
    QVERIFY(!upscaled.isNull());

    QImage shown;
    QTRY_VERIFY_WITH_TIMEOUT((shown = m_run->grab().copy(area), differences(shown, doubled) == 0),
                             10000);
    // The check can tell the two apart: the single-size picture blown up is not the same.
    QVERIFY(differences(shown, upscaled) > doubled.width() * doubled.height() / 10);
}

QTEST_MAIN(HighDpi)
#include "tst_highdpi.moc"
