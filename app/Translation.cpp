// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Loads file_<language> from folder into a translator owned by the application.
bool add(QCoreApplication &application, const QString &file, const QString &language,
         const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(file + u'_' + language, folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

void Translation::install(QCoreApplication &application)
{
    for (QString language : QLocale::system().uiLanguages()) {
        language.replace(u'-', u'_');
        if (QLocale(language).language() == QLocale::English)
            return;
        // The translations are built into the program; load() falls back from "id_ID" to "id".
        if (add(application, QStringLiteral("tolvane"), language, QStringLiteral(":/i18n"))) {
            // Qt's own texts (a message box's button), where the system has them.
            add(application, QStringLiteral("qtbase"), language,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return;
        }
    }
}
