// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

// Pictures read with their format named. Without one, Qt loads every image plugin there is
// (gif, ico, jpeg and libjpeg) to ask whether it can read the file, even a PNG or a PPM, which
// Qt reads itself.
namespace PictureFile {

QImage read(const QString &path, const char *format);

} // namespace PictureFile
