// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Loading Qt's Japanese catalogue.
#include "qttranslations.h"

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

bool installJapaneseQtTexts(QCoreApplication &app, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
