// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIconEngine>
#include <QList>
#include <QString>

// An icon drawn from one picture a size, each read when it is asked for and kept nowhere. The
// window system takes every size once a window, so the pictures need not stay in memory for
// the program's whole life; the largest comes first, so that no smaller one is still held
// while it is read.
class IconEngine : public QIconEngine
{
public:
    // A path with %1 where the size goes, and the sizes there are pictures of.
    IconEngine(QString pathPattern, QList<int> sizes);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;

private:
    int pictureFor(const QSize &size) const;

    QString m_pathPattern;
    QList<int> m_sizes;
};
