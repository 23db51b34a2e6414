#include "core/settings/settings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Settings, FirstStartGivesTheDefaults)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("empty.ini")), QSettings::IniFormat);
    Settings s;
    s.read(store);
    EXPECT_TRUE(s.margins);
    EXPECT_EQ(s.leftMargin, 22);
    EXPECT_EQ(s.rightMargin, 2000);
    EXPECT_TRUE(s.toolbar);
    EXPECT_TRUE(s.statusBar);
    EXPECT_TRUE(s.maximised);
    EXPECT_TRUE(s.aboutBox);
    EXPECT_FALSE(s.backup);
    EXPECT_TRUE(s.obligatorySave);
    EXPECT_EQ(s.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(s.fontSize, 9);
    EXPECT_EQ(s.textColour, QStringLiteral("$000000"));
    EXPECT_EQ(s.backgroundColour, QStringLiteral("$FFFFFF"));
    EXPECT_EQ(s.browserChoice, 0);
    EXPECT_TRUE(s.browserPath1.isEmpty());
    EXPECT_FALSE(s.fileUrls);
    EXPECT_EQ(s.recentFiles, QStringList(8, QString()));
    EXPECT_EQ(s.recentProjects, QStringList(4, QString()));
    EXPECT_EQ(s.authorName, accountName());
}

TEST(Settings, RoundTripKeepsEveryValue)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.ini"));
    Settings out;
    out.browserPath1 = QStringLiteral("/usr/bin/firefox");
    out.browserChoice = 1;
    out.recentFiles[0] = QStringLiteral("/site/index.htm");
    out.recentFiles[7] = QStringLiteral("/site/old.htm");
    out.recentProjects[1] = QStringLiteral("/site/site.proj");
    out.margins = false;
    out.leftMargin = 40;
    out.rightMargin = 600;
    out.toolbar = out.statusBar = out.maximised = out.aboutBox = out.obligatorySave = false;
    out.backup = out.fileUrls = true;
    out.authorName = QStringLiteral("Élise");
    out.fontName = QStringLiteral("DejaVu Sans Mono");
    out.fontSize = 12;
    out.textColour = QStringLiteral("$0000FF");
    out.backgroundColour = QStringLiteral("$FFFFE0");
    {
        QSettings store(file, QSettings::IniFormat);
        out.write(store);
        // Booleans are stored as 0 and 1; the empty second browser path is not written.
        EXPECT_EQ(store.value(QStringLiteral("Editeur/Marge")).toString(), QStringLiteral("0"));
        EXPECT_EQ(store.value(QStringLiteral("Fichier/Backup")).toString(), QStringLiteral("1"));
        EXPECT_FALSE(store.contains(QStringLiteral("Browser/Name2")));
    }
    QSettings store(file, QSettings::IniFormat);
    Settings in;
    in.read(store);
    EXPECT_EQ(in.browserPath1, out.browserPath1);
    EXPECT_EQ(in.browserChoice, 1);
    EXPECT_EQ(in.recentFiles, out.recentFiles);
    EXPECT_EQ(in.recentProjects, out.recentProjects);
    EXPECT_EQ(in.margins, false);
    EXPECT_EQ(in.leftMargin, 40);
    EXPECT_EQ(in.rightMargin, 600);
    EXPECT_FALSE(in.toolbar || in.statusBar || in.maximised || in.aboutBox || in.obligatorySave);
    EXPECT_TRUE(in.backup && in.fileUrls);
    EXPECT_EQ(in.authorName, out.authorName);
    EXPECT_EQ(in.fontName, out.fontName);
    EXPECT_EQ(in.fontSize, 12);
    EXPECT_EQ(in.textColour, out.textColour);
    EXPECT_EQ(in.backgroundColour, out.backgroundColour);
}

TEST(Settings, DamagedValuesFallBackToDefaults)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("bad.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Browser/Numero"), 7);
    store.setValue(QStringLiteral("Police/Taille"), QStringLiteral("grand"));
    store.setValue(QStringLiteral("Editeur/Marge"), QStringLiteral("oui"));
    Settings s;
    s.read(store);
    EXPECT_EQ(s.browserChoice, 0);
    EXPECT_EQ(s.fontSize, 9);
    EXPECT_TRUE(s.margins);
}
