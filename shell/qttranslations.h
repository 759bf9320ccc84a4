// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// Qt's own texts in Japanese: the fields' context menu, the dialog's button.
#pragma once

class QCoreApplication;

// Loads Qt's Japanese catalogue into the application, whatever the user's locale, since the
// whole interface is Japanese. False when the catalogue is not installed; the toolkit's texts
// then stay English.
bool installJapaneseQtTexts(QCoreApplication &app);
