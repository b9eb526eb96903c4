#include "Scene.h"

#include <QFont>
#include <QLine>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The network area's origin in the window; hosts and segments are placed inside it.
constexpr QPoint Network{7, 5};

constexpr std::array<QRect, Scene::HostCount> Hosts{{
    {32, 19, 144, 168},
    {332, 18, 148, 156},
    {339, 292, 146, 168},
    {30, 295, 142, 168},
    {207, 192, 142, 168},
}};

constexpr std::array<QLine, Scene::SegmentCount> Segments{{
    {178, 166, 332, 166},
    {412, 297, 412, 173},
    {175, 436, 344, 436},
    {169, 397, 207, 333},
}};

// Inside a host: the lit screen and the label with the activity word over it.
constexpr QRect Screen{42, 16, 70, 52};
constexpr QRect Word{47, 34, 61, 23};

const QStringList Words{QStringLiteral("Receive"), QStringLiteral("Saved!"),
                        QStringLiteral("Found!")};

bool isGreenPanel(QRgb p)
{
    return qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 40;
}

bool isSegmentGreenPixel(QRgb p)
{
    return qGreen(p) >= 200 && qRed(p) <= 60 && qBlue(p) <= 60;
}

bool isBlackPixel(QRgb p)
{
    return qRed(p) <= 60 && qGreen(p) <= 60 && qBlue(p) <= 60;
}

bool isYellow(QRgb p)
{
    return qRed(p) >= 170 && qGreen(p) >= 170 && qBlue(p) <= 120;
}

bool isWhite(QRgb p)
{
    return qRed(p) >= 245 && qGreen(p) >= 245 && qBlue(p) >= 245;
}

using Mask = std::array<std::array<bool, Word.width()>, Word.height()>;

Mask yellowMask(const QImage &image, QPoint origin)
{
    Mask mask{};
    for (int y = 0; y < Word.height(); ++y) {
        for (int x = 0; x < Word.width(); ++x)
            mask[size_t(y)][size_t(x)] = isYellow(image.pixel(origin.x() + x, origin.y() + y));
    }
    return mask;
}

int count(const Mask &mask)
{
    int n = 0;
    for (const auto &row : mask) {
        for (const bool set : row)
            n += set ? 1 : 0;
    }
    return n;
}

// The words as the host's label draws them: Arial 12 pt bold, yellow, centred, here over a
// dark screen. Rendered once, by this test's own painter.
const std::array<Mask, 3> &wordMasks()
{
    static const std::array<Mask, 3> masks = [] {
        std::array<Mask, 3> result{};
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(12);
        font.setBold(true);
        for (size_t i = 0; i < result.size(); ++i) {
            QImage picture(Word.size(), QImage::Format_RGB32);
            picture.fill(QColor(16, 24, 80));
            QPainter painter(&picture);
            painter.setFont(font);
            painter.setPen(QColor(255, 255, 0));
            painter.drawText(picture.rect(), Qt::AlignCenter, Words.at(qsizetype(i)));
            painter.end();
            result[i] = yellowMask(picture, QPoint(0, 0));
        }
        return result;
    }();
    return masks;
}

// Overlap of two letter shapes, allowing the shown one to sit a few pixels off.
double bestOverlap(const Mask &shown, const Mask &word)
{
    double best = 0;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            int both = 0;
            int either = 0;
            for (int y = 0; y < Word.height(); ++y) {
                for (int x = 0; x < Word.width(); ++x) {
                    const int wx = x + dx;
                    const int wy = y + dy;
                    const bool a = shown[size_t(y)][size_t(x)];
                    const bool b = wx >= 0 && wy >= 0 && wx < Word.width() && wy < Word.height() &&
                                   word[size_t(wy)][size_t(wx)];
                    both += a && b ? 1 : 0;
                    either += a || b ? 1 : 0;
                }
            }
            if (either > 0)
                best = std::max(best, double(both) / double(either));
        }
    }
    return best;
}

QList<QPoint> samplePoints(const QLine &line)
{
    QList<QPoint> points;
    for (const double t : {0.25, 0.5, 0.75}) {
        const QPointF p = QLineF(line).pointAt(t);
        points.append(p.toPoint() + Network);
    }
    return points;
}

} // namespace

bool Scene::allPixels(const QList<QPoint> &points, bool (*test)(QRgb)) const
{
    return std::all_of(points.begin(), points.end(),
                       [this, test](QPoint p) { return test(m_image.pixel(p)); });
}

Scene::Scene(QImage window) : m_image(std::move(window)) {}

QRect Scene::hostRect(int host)
{
    return Hosts.at(size_t(host)).translated(Network);
}

QRect Scene::screenRect(int host)
{
    return Screen.translated(hostRect(host).topLeft());
}

QRect Scene::wordRect(int host)
{
    return Word.translated(hostRect(host).topLeft());
}

QRect Scene::tableRect()
{
    // The ARP table list inside the "Property" frame.
    return QRect(527 + 8, 7 + 129, 195, 144);
}

QPoint Scene::overlapPoint()
{
    return QPoint(344, 330) + Network;
}

QPoint Scene::ipBoxPoint()
{
    return QPoint(527 + 12 + 51, 292 + 38 + 9);
}

QPoint Scene::exitButtonPoint()
{
    return QPoint(670 + 33, 484 + 9);
}

bool Scene::isLit(int host) const
{
    // The rows above the word's label: the green panel when lit, the dark screen when not.
    const QRect area = screenRect(host).adjusted(3, 2, -3, 0);
    int green = 0;
    int total = 0;
    for (int y = area.top(); y < wordRect(host).top() - 1; ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            green += isGreenPanel(m_image.pixel(x, y)) ? 1 : 0;
            ++total;
        }
    }
    return total > 0 && green * 10 >= total * 9;
}

QList<int> Scene::litHosts() const
{
    QList<int> lit;
    for (int i = 0; i < HostCount; ++i) {
        if (isLit(i))
            lit.append(i);
    }
    return lit;
}

bool Scene::isSegmentGreen(int segment) const
{
    return allPixels(samplePoints(Segments.at(size_t(segment))), isSegmentGreenPixel);
}

bool Scene::isSegmentBlack(int segment) const
{
    return allPixels(samplePoints(Segments.at(size_t(segment))), isBlackPixel);
}

QList<int> Scene::greenSegments() const
{
    QList<int> green;
    for (int i = 0; i < SegmentCount; ++i) {
        if (isSegmentGreen(i))
            green.append(i);
    }
    return green;
}

QString Scene::word(int host) const
{
    const Mask shown = yellowMask(m_image, wordRect(host).topLeft());
    if (count(shown) < 8)
        return QString();
    const auto &masks = wordMasks();
    double best = 0;
    double second = 0;
    size_t bestWord = 0;
    for (size_t i = 0; i < masks.size(); ++i) {
        const double overlap = bestOverlap(shown, masks[i]);
        if (overlap > best) {
            second = best;
            best = overlap;
            bestWord = i;
        } else if (overlap > second) {
            second = overlap;
        }
    }
    // A word is read only when it is clearly that word and no other.
    if (best < 0.6 || best - second < 0.1)
        return QStringLiteral("?");
    return Words.at(qsizetype(bestWord));
}

int Scene::tableRows() const
{
    const QRect list = tableRect().adjusted(3, 2, -3, -3);
    // The rows start below the column headers, at the first line that is all white.
    int top = list.top();
    auto lineIsWhite = [this, &list](int y) {
        for (int x = list.left(); x <= list.right(); ++x) {
            if (!isWhite(m_image.pixel(x, y)))
                return false;
        }
        return true;
    };
    while (top <= list.bottom() && !lineIsWhite(top))
        ++top;
    // Each row's text is a band of dark lines in the first column.
    int rows = 0;
    bool inRow = false;
    for (int y = top; y <= list.bottom(); ++y) {
        bool ink = false;
        for (int x = list.left(); x < list.left() + 100 && !ink; ++x) {
            const QRgb p = m_image.pixel(x, y);
            ink = std::max({qRed(p), qGreen(p), qBlue(p)}) < 140;
        }
        if (ink && !inRow)
            ++rows;
        inRow = ink;
    }
    return rows;
}

bool Scene::hasFocusFrame(int host) const
{
    // The frame runs one pixel inside the host's edge; without it the edge is the white of
    // the host's background.
    const QRect frame = hostRect(host).adjusted(1, 1, -2, -2);
    int marked = 0;
    int total = 0;
    auto look = [&](int x, int y) {
        marked += isWhite(m_image.pixel(x, y)) ? 0 : 1;
        ++total;
    };
    for (int x = frame.left(); x <= frame.right(); ++x) {
        look(x, frame.top());
        look(x, frame.bottom());
    }
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        look(frame.left(), y);
        look(frame.right(), y);
    }
    return marked * 10 >= total * 8;
}

QString Scene::exchangeState() const
{
    QStringList green;
    for (const int segment : greenSegments())
        green.append(QString::number(segment));
    QStringList words;
    for (int i = 0; i < HostCount; ++i) {
        const QString shown = word(i);
        if (!shown.isEmpty())
            words.append(QStringLiteral("%1:%2").arg(i).arg(shown));
    }
    return green.join(QLatin1Char(',')) + QLatin1Char('|') + words.join(QLatin1Char(','));
}
