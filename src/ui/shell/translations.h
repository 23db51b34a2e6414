#pragma once

class QCoreApplication;

// Loads Qt's own French texts ("Oui", "Annuler", "Ouvrir"...) into the
// application. Returns false when the translation files are not installed.
bool installFrenchTranslations(QCoreApplication &app);
