#include "core/settings/settings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Settings, RoundTripKeepsEveryValue)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("s.ini"));
    Settings out;
    out.browserPath1 = QStringLiteral("/usr/bin/firefox");
    out.recentFiles[0] = QStringLiteral("/site/index.htm");
    out.recentProjects[1] = QStringLiteral("/site/site.proj");
    out.leftMargin = 40;
    out.rightMargin = 600;
    out.margins = out.toolbar = out.statusBar = out.maximised = out.aboutBox = out.obligatorySave = false;
    out.backup = out.fileUrls = out.livePreview = true;
    out.livePreviewWidth = 420;
    out.authorName = QStringLiteral("Élise");
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
    EXPECT_EQ(in.recentFiles, out.recentFiles);
    EXPECT_EQ(in.recentProjects, out.recentProjects);
    EXPECT_EQ(in.leftMargin, 40);
    EXPECT_EQ(in.rightMargin, 600);
    EXPECT_FALSE(in.margins || in.toolbar || in.statusBar || in.maximised || in.aboutBox || in.obligatorySave);
    EXPECT_TRUE(in.backup && in.fileUrls && in.livePreview);
    EXPECT_EQ(in.livePreviewWidth, 420);
    EXPECT_EQ(in.authorName, out.authorName);
    EXPECT_EQ(in.fontSize, 12);
    EXPECT_EQ(in.textColour, out.textColour);
    EXPECT_EQ(in.backgroundColour, out.backgroundColour);
}
