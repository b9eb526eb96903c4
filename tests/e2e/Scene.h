#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// What the window shows, read from its pixels alone: which host's screen is lit, which
// segment is green, which activity word a host shows, how many rows the ARP table lists and
// which host carries the focus frame. Positions are the window's designed layout, in the
// pixels of a window shown at scale 1.
class Scene
{
public:
    static constexpr int HostCount = 5;
    static constexpr int SegmentCount = 4;
    static constexpr QSize WindowSize{743, 512};

    explicit Scene(QImage window);

    static QRect hostRect(int host);
    static QRect screenRect(int host);
    static QRect wordRect(int host);
    static QRect tableRect();
    static QPoint centre(int host) { return hostRect(host).center(); }
    // Where the network area shows only host 2, although host 4's box lies there too.
    static QPoint overlapPoint();
    static QPoint ipBoxPoint();
    static QPoint exitButtonPoint();

    const QImage &image() const { return m_image; }

    bool isLit(int host) const;
    QList<int> litHosts() const;
    bool isSegmentGreen(int segment) const;
    bool isSegmentBlack(int segment) const;
    QList<int> greenSegments() const;
    // "Receive", "Saved!", "Found!", empty when the screen shows no word, "?" for yellow
    // letters that spell none of them.
    QString word(int host) const;
    int tableRows() const;
    bool hasFocusFrame(int host) const;

    // The moment in one line: green segments, then every host that shows a word, as in
    // "2,3|4:Saved!"; "|" when nothing moves.
    QString exchangeState() const;

private:
    bool allPixels(const QList<QPoint> &points, bool (*test)(QRgb)) const;

    QImage m_image;
};
