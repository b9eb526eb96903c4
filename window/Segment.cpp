// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Segment.h"

#include <QPainter>

Segment::Segment(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void Segment::setX1(int x)
{
    m_p1.setX(x);
    place();
}

void Segment::setY1(int y)
{
    m_p1.setY(y);
    place();
}

void Segment::setX2(int x)
{
    m_p2.setX(x);
    place();
}

void Segment::setY2(int y)
{
    m_p2.setY(y);
    place();
}

void Segment::setBorderWidth(int width)
{
    m_width = width;
    place();
}

void Segment::setBorderColor(int colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

QColor Segment::toColor(int colour)
{
    return QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
}

void Segment::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(toColor(m_colour), m_width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(m_p1 - pos()), QPointF(m_p2 - pos()));
}

void Segment::place()
{
    const int margin = m_width / 2 + 1;
    setGeometry(QRect(m_p1, m_p2).normalized().adjusted(-margin, -margin, margin, margin));
    update();
}
