// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the file dialogs, the standard buttons) in the user's
// language, so that a Spanish window does not offer "Open" and "Cancel".
// The program's own texts are Spanish already and are not translated.

class QCoreApplication;

// Installs the translations of Qt for the system's language when Qt's
// translation files have them; does nothing otherwise.
void InstallQtTranslations(QCoreApplication& application);
