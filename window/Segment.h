// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// One line of the network drawn on the white network area, beneath the hosts. Its end
// points are in the coordinates of the area; the widget covers just the line's bounding box
// and lets every click through to what lies beneath.
class Segment : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int X1 READ X1 WRITE setX1)
    Q_PROPERTY(int Y1 READ Y1 WRITE setY1)
    Q_PROPERTY(int X2 READ X2 WRITE setX2)
    Q_PROPERTY(int Y2 READ Y2 WRITE setY2)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE setBorderColor)

public:
    // Colours are 24-bit RGB values with red in the low byte.
    static constexpr int Black = 0;
    static constexpr int Green = 65280;

    explicit Segment(QWidget *parent = nullptr);

    int X1() const { return m_p1.x(); }
    void setX1(int x);
    int Y1() const { return m_p1.y(); }
    void setY1(int y);
    int X2() const { return m_p2.x(); }
    void setX2(int x);
    int Y2() const { return m_p2.y(); }
    void setY2(int y);
    QPoint start() const { return m_p1; }
    QPoint end() const { return m_p2; }
    int BorderWidth() const { return m_width; }
    void setBorderWidth(int width);
    int BorderColor() const { return m_colour; }
    void setBorderColor(int colour);

    static QColor toColor(int colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    QPoint m_p1;
    QPoint m_p2;
    int m_width = 5;
    int m_colour = Black;
};
