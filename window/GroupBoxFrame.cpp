// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GroupBoxFrame.h"

#include "host/PictureFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPixmap>
#include <QPixmapCache>

namespace {

// A number as Qt spells it in a cache key: each byte in memory order, its low digit first.
template <typename T> QString hex(T value)
{
    static constexpr char Digits[] = "0123456789abcdef";
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    QString text;
    for (size_t i = 0; i < sizeof(T); ++i) {
        text += QLatin1Char(Digits[bytes[i] & 0xf]);
        text += QLatin1Char(Digits[bytes[i] >> 4]);
    }
    return text;
}

} // namespace

void GroupBoxFrame::preload()
{
    const QPixmap picture = QPixmap::fromImage(PictureFile::read(Path, "png"));
    if (!picture.isNull())
        QPixmapCache::insert(cacheKey(), picture);
}

QString GroupBoxFrame::cacheKey()
{
    const QFileInfo file(Path);
    constexpr uint PixmapType = 0; // a QPixmap's own kind of pixel data, as against a bitmap's
    return QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
           hex(static_cast<uint>(file.lastModified().toSecsSinceEpoch())) +
           hex(static_cast<quint64>(file.size())) + hex(PixmapType);
}
