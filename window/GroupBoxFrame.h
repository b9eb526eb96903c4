// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The picture Fusion frames a group box with, read ahead. The style reads it as QPixmap(path),
// without naming its format, and Qt then loads every image plugin there is (gif, ico, jpeg and
// libjpeg) to ask whether it can read the file: about a millisecond of start-up for a PNG that
// Qt reads itself. Read here as PNG and put in the pixmap cache under the key QPixmap::load
// looks for, it is found there instead. The key is Qt's own (qpixmap.cpp, Qt 6.4); should a
// later Qt make it otherwise, the style reads the picture as before and only the time is lost.
class GroupBoxFrame
{
public:
    static inline const QString Path =
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

    static void preload();
    // The key under which QPixmap::load caches the picture read from Path.
    static QString cacheKey();
};
