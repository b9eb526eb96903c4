// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The picture Fusion frames a group box with, read ahead. The style reads it as QPixmap(path),
// without naming its format, so Qt would load every image plugin to ask whether it can read
// it: about a millisecond of start-up (see PictureFile). Read here as PNG and put in the pixmap
// cache under the key QPixmap::load looks for, it is found there instead. The key is Qt's own
// (qpixmap.cpp, Qt 6.4); should a later Qt make it otherwise, the style reads the picture as before
// and only the time is lost.
class GroupBoxFrame
{
public:
    static inline const QString Path =
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

    static void preload();
    // The key under which QPixmap::load caches the picture read from Path.
    static QString cacheKey();
};
