#include "core/livepreview/livepreviewrules.h"
#include "core/livepreview/livepreviewschedule.h"
#include "core/preview/browserpreview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LivePreview, PageAddressesFollowTheSavedPagesFolder)
{
    const struct
    {
        const char *caption;
        const char *base;
        const char *page;
    } cases[] = {
        {"/web/site/a b.htm", "file:///web/site/", "tessaline-apercu:/web/site/a%20b.htm"},
        {"/index.html", "file:///", "tessaline-apercu:/index.html"},
        {"/web/é.htm", "file:///web/", "tessaline-apercu:/web/%C3%A9.htm"},
        // A page never saved has no folder: nothing to resolve against.
        {"Sans titre 1", "", "tessaline-apercu:/sans-dossier.htm"},
        {"site/a.htm", "", "tessaline-apercu:/sans-dossier.htm"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        const QString caption = QString::fromUtf8(c.caption);
        EXPECT_EQ(livePreviewBaseUrl(caption).toString(QUrl::FullyEncoded), QLatin1String(c.base));
        EXPECT_EQ(livePreviewPageUrl(caption).toString(QUrl::FullyEncoded), QLatin1String(c.page));
    }
}

TEST(LivePreview, ReadsOnlyFilesInsideThePagesFolder)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    root.mkpath(QStringLiteral("site/img"));
    root.mkpath(QStringLiteral("other"));
    for (const char *name : {"site/img/a.png", "other/secret.txt", "site-x.txt"}) {
        QFile file(root.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // A neighbour's link inside the folder, pointing out of it.
    QFile::link(root.filePath(QStringLiteral("other/secret.txt")), root.filePath(QStringLiteral("site/lien.txt")));
    QFile::link(root.filePath(QStringLiteral("other")), root.filePath(QStringLiteral("site/dossier")));
    const QString folder = livePreviewFolder(root.filePath(QStringLiteral("site/page.htm")));

    const struct
    {
        const char *path;
        bool allowed;
    } cases[] = {
        {"site/img/a.png", true},
        {"site/img/../img/a.png", true},
        {"site/../other/secret.txt", false},
        {"other/secret.txt", false},
        {"site-x.txt", false}, // shares the folder's name as a prefix
        {"site/lien.txt", false},
        {"site/dossier/secret.txt", false},
        {"site/absent.png", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(livePreviewMayRead(root.filePath(QLatin1String(c.path)), folder), c.allowed);
    }
    EXPECT_FALSE(livePreviewMayRead(root.filePath(QStringLiteral("site/img/a.png")), QString()));
}

TEST(LivePreview, ClickedLinksReachTheBrowserAsItReadsThem)
{
    BrowserProgram second;
    second.path = QStringLiteral("/usr/bin/b");
    second.family = 2;
    const struct
    {
        const char *clicked;
        bool fileFlag;
        const char *argument; // empty: nothing to start
    } cases[] = {
        {"https://exemple.org/a?b=1#c", false, "https://exemple.org/a?b=1#c"},
        {"file:///web/a%20b.htm", false, "file:///web/a%20b.htm"},
        {"file:///web/a%20b.htm", true, "file:/web/a%20b.htm"},
        {"file:///web/a.htm#haut", true, "file:///web/a.htm#haut"},
        {"tessaline-apercu:/web/autre.htm", false, "file:///web/autre.htm"},
        {"tessaline-apercu:/web/autre.htm#bas", false, "file:///web/autre.htm#bas"},
        {"tessaline-apercu:/sans-dossier.htm", false, ""},
        {"javascript:alert(1)", false, ""},
        {"mailto:a@exemple.org", false, "mailto:a@exemple.org"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.clicked);
        const QUrl target = externalLinkTarget(QUrl(QString::fromUtf8(c.clicked)));
        if (!*c.argument) {
            EXPECT_TRUE(target.isEmpty());
            continue;
        }
        EXPECT_EQ(linkArguments(second, target, c.fileFlag), QStringList{QLatin1String(c.argument)});
    }
}

TEST(LivePreview, AnchorsInsideThePageStayInThePane)
{
    const struct
    {
        const char *caption;
        const char *clicked;
        const char *anchor;
    } cases[] = {
        {"/web/a.htm", "file:///web/#fin", "fin"},
        {"/web/a.htm", "file:///web/a.htm#d%C3%A9but",
         "d\xc3\xa9"
         "but"},
        {"/web/a.htm", "tessaline-apercu:/web/a.htm#fin", "fin"},
        {"/web/a.htm", "file:///web/b.htm#fin", ""},
        {"/web/a.htm", "file:///web/", ""},
        {"/web/a.htm", "tessaline-apercu:/web/b.htm#fin", ""},
        {"Sans titre 1", "tessaline-apercu:/sans-dossier.htm#fin", "fin"},
        {"Sans titre 1", "file:///#fin", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(samePageAnchor(QUrl(QLatin1String(c.clicked)), QLatin1String(c.caption)), QString::fromUtf8(c.anchor))
            << c.clicked;
}

TEST(LivePreview, EngineFlagsKeepTheUsersOwn)
{
    const struct
    {
        const char *user;
        bool root;
        const char *flags;
    } cases[] = {
        {"", false, "--disable-gpu"},
        {"", true, "--disable-gpu --no-sandbox"},
        {"  --lang=fr   --disable-gpu ", true, "--lang=fr --disable-gpu --no-sandbox"},
        {"--no-sandbox", true, "--no-sandbox --disable-gpu"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(livePreviewEngineFlags(c.user, c.root), QByteArray(c.flags)) << c.user;
}

TEST(LivePreview, UpdatesRunOneAtATimeAndCatchUpWithEdits)
{
    // Steps: 'e' an edit, 'b' the quiet time ends, 'x' the running update ends.
    // Expected: for 'b', the version started or '-' when one runs; for 'x',
    // whether another update is due ('y'/'n').
    const struct
    {
        const char *steps;
        const char *expected;
    } cases[] = {
        {"ebx", "1n"}, {"eebx", "2n"}, {"ebexbx", "1y2n"}, {"ebebx", "1-y"}, {"bxbx", "0n0n"},
    };
    for (const auto &c : cases) {
        LivePreviewSchedule schedule;
        quint64 running = 0;
        std::string got;
        for (const char *s = c.steps; *s; ++s) {
            if (*s == 'e') {
                schedule.edited();
            } else if (*s == 'b') {
                const std::optional<quint64> version = schedule.begin();
                got += version ? char('0' + *version) : '-';
                if (version)
                    running = *version;
            } else {
                got += schedule.end(running) ? 'y' : 'n';
            }
        }
        EXPECT_EQ(got, c.expected) << c.steps;
    }
}
