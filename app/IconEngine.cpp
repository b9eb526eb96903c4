// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/IconEngine.h"

#include "host/PictureFile.h"

#include <QPainter>

#include <algorithm>

IconEngine::IconEngine(QString pathPattern, QList<int> sizes)
    : m_pathPattern(std::move(pathPattern)), m_sizes(std::move(sizes))
{
    std::sort(m_sizes.begin(), m_sizes.end(), std::greater<>());
}

QPixmap IconEngine::pixmap(const QSize &size, QIcon::Mode, QIcon::State)
{
    // The pixels stay as read, with straight alpha, the form in which the window system takes
    // an icon.
    const int side = pictureFor(size);
    QPixmap picture = QPixmap::fromImage(PictureFile::read(m_pathPattern.arg(side), "png"),
                                         Qt::NoFormatConversion);
    if (side > size.width() || side > size.height())
        return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return picture;
}

void IconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
}

QList<QSize> IconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (const int side : m_sizes)
        sizes.append(QSize(side, side));
    return sizes;
}

QIconEngine *IconEngine::clone() const
{
    return new IconEngine(*this);
}

// The smallest picture at least as large as the size asked for, else the largest there is.
int IconEngine::pictureFor(const QSize &size) const
{
    const int wanted = std::max(size.width(), size.height());
    int side = m_sizes.first();
    for (const int candidate : m_sizes)
        if (candidate >= wanted)
            side = candidate;
    return side;
}
