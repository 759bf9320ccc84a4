// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Qt's own texts in Japanese: the fields' context menu, the dialog's button.
#pragma once

class QCoreApplication;

class QString;

// Loads Qt's Japanese catalogue from the folder into the application, whatever the user's
// locale, since the whole interface is Japanese. False when the catalogue is not there; the
// toolkit's texts then stay English.
bool installJapaneseQtTexts(QCoreApplication &app, const QString &folder);
