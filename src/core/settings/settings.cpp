#include "core/settings/settings.h"

#include <QSettings>

#include <algorithm>
#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

QString readString(QSettings &s, const char *key, const QString &fallback)
{
    return s.value(QLatin1String(key), fallback).toString();
}

int readInt(QSettings &s, const char *key, int fallback)
{
    bool ok = false;
    const int value = s.value(QLatin1String(key), fallback).toInt(&ok);
    return ok ? value : fallback;
}

// A number the program computes with: whatever the store holds, it is used
// only within its range, so that no computation on it can overflow.
int readClamped(QSettings &s, const char *key, int fallback, int low, int high)
{
    return std::clamp(readInt(s, key, fallback), low, high);
}

// Booleans are written as 0 and 1; "true" and "false" (written by hand or
// by another program) are read as such.
bool readBool(QSettings &s, const char *key, bool fallback)
{
    const QVariant value = s.value(QLatin1String(key));
    const QString word = value.toString().trimmed().toLower();
    if (word == QLatin1String("true"))
        return true;
    if (word == QLatin1String("false"))
        return false;
    return readInt(s, key, fallback ? 1 : 0) != 0;
}

void writeBool(QSettings &s, const char *key, bool value)
{
    s.setValue(QLatin1String(key), value ? 1 : 0);
}

} // namespace

QString accountName()
{
#ifdef Q_OS_UNIX
    // The full name is the first field of the account's comment.
    if (const passwd *account = getpwuid(getuid())) {
        const QString fullName =
            QString::fromLocal8Bit(account->pw_gecos ? account->pw_gecos : "").section(u',', 0, 0).trimmed();
        if (!fullName.isEmpty())
            return fullName;
        if (account->pw_name && *account->pw_name)
            return QString::fromLocal8Bit(account->pw_name);
    }
#endif
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    return name;
}

void Settings::read(QSettings &s)
{
    browserPath1 = readString(s, "Browser/Name", QString());
    browserPath2 = readString(s, "Browser/Name2", QString());
    browserChoice = readInt(s, "Browser/Numero", 0);
    if (browserChoice < 0 || browserChoice > 2)
        browserChoice = 0;
    for (int i = RecentFileSlots; i >= 1; --i)
        recentFiles[i - 1] = s.value(QStringLiteral("Derniers Fichiers/%1").arg(i)).toString();
    for (int i = RecentProjectSlots; i >= 1; --i)
        recentProjects[i - 1] = s.value(QStringLiteral("Derniers Projets/%1").arg(i)).toString();
    margins = readBool(s, "Editeur/Marge", true);
    leftMargin = readClamped(s, "Editeur/MargeGauche", 22, 0, MaxMargin);
    rightMargin = readClamped(s, "Editeur/MargeDroite", 2000, 0, MaxMargin);
    toolbar = readBool(s, "Editeur/BarreIcones", true);
    statusBar = readBool(s, "Editeur/BarreStatut", true);
    syntaxColouring = readBool(s, "Editeur/Coloration", true);
    tagCompletion = readBool(s, "Editeur/Completion", true);
    spelling = readBool(s, "Editeur/Orthographe", true);
    maximised = readBool(s, "Tessaline/Maximiser", true);
    aboutBox = readBool(s, "Tessaline/APropos", true);
    authorName = readString(s, "Tessaline/Auteur", accountName());
    windowGeometry = s.value(QStringLiteral("Tessaline/Geometrie")).toByteArray();
    backup = readBool(s, "Fichier/Backup", false);
    obligatorySave = readBool(s, "Fichier/Verification", true);
    fontName = readString(s, "Police/Nom", QStringLiteral("Arial"));
    fontSize = readClamped(s, "Police/Taille", 9, MinFontSize, MaxFontSize);
    textColour = readString(s, "Police/TexteCouleur", QStringLiteral("$000000"));
    backgroundColour = readString(s, "Police/FondCouleur", QStringLiteral("$FFFFFF"));
    fileUrls = readBool(s, "Explorer/Type", false);
    livePreview = readBool(s, "Apercu/Integre", false);
    livePreviewWidth = readClamped(s, "Apercu/Largeur", 0, 0, MaxMargin);
}

void Settings::write(QSettings &s) const
{
    s.setValue(QStringLiteral("Browser/Name"), browserPath1);
    if (!browserPath2.isEmpty())
        s.setValue(QStringLiteral("Browser/Name2"), browserPath2);
    s.setValue(QStringLiteral("Browser/Numero"), browserChoice);
    writeBool(s, "Editeur/Marge", margins);
    s.setValue(QStringLiteral("Editeur/MargeGauche"), leftMargin);
    s.setValue(QStringLiteral("Editeur/MargeDroite"), rightMargin);
    writeBool(s, "Editeur/BarreIcones", toolbar);
    writeBool(s, "Editeur/BarreStatut", statusBar);
    writeBool(s, "Editeur/Coloration", syntaxColouring);
    writeBool(s, "Editeur/Completion", tagCompletion);
    writeBool(s, "Editeur/Orthographe", spelling);
    writeBool(s, "Tessaline/Maximiser", maximised);
    writeBool(s, "Tessaline/APropos", aboutBox);
    s.setValue(QStringLiteral("Tessaline/Auteur"), authorName);
    s.setValue(QStringLiteral("Tessaline/Geometrie"), windowGeometry);
    writeBool(s, "Fichier/Backup", backup);
    writeBool(s, "Fichier/Verification", obligatorySave);
    for (int i = 1; i <= RecentFileSlots; ++i)
        s.setValue(QStringLiteral("Derniers Fichiers/%1").arg(i), recentFiles.value(i - 1));
    for (int i = 1; i <= RecentProjectSlots; ++i)
        s.setValue(QStringLiteral("Derniers Projets/%1").arg(i), recentProjects.value(i - 1));
    s.setValue(QStringLiteral("Police/Nom"), fontName);
    s.setValue(QStringLiteral("Police/Taille"), fontSize);
    s.setValue(QStringLiteral("Police/TexteCouleur"), textColour);
    s.setValue(QStringLiteral("Police/FondCouleur"), backgroundColour);
    writeBool(s, "Explorer/Type", fileUrls);
    writeBool(s, "Apercu/Integre", livePreview);
    s.setValue(QStringLiteral("Apercu/Largeur"), livePreviewWidth);
    s.sync();
}

QString Settings::pageAuthor() const
{
    const QString name = authorName.trimmed();
    return name.isEmpty() ? accountName() : name;
}
