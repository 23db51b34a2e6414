#include "core/messages/messages.h"
#include "core/preview/browserlauncher.h"
#include "core/preview/browserpreview.h"
#include "core/settings/settings.h"
#include "support/fakeprompts.h"
#include "support/headlessbrowser.h"
#include "support/qstringprinter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class ScriptedLauncher : public BrowserLauncher
{
public:
    bool start(const QString &program, const QStringList &arguments) override
    {
        started << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
        return succeeds;
    }
    QStringList started;
    bool succeeds = true;
};

class ScriptedHost : public PreviewHost
{
public:
    std::optional<Page> activePage() override { return page; }
    void saveActivePage() override
    {
        ++saves;
        if (page && !saveAsName.isEmpty())
            page->caption = saveAsName;
        if (page)
            page->modified = false;
    }
    QString projectMasterPath() override { return master; }
    bool projectModified() override { return modifiedProject; }
    void saveProject() override { ++projectSaves; }
    void openPreferences() override { ++preferences; }
    void releaseToolWindows() override {}

    std::optional<Page> page = Page{QStringLiteral("SansNom.html"), QStringLiteral("<P>essai</P>\r\n"), {}, true};
    QString saveAsName; // what Save as gives a page never saved; empty: cancelled
    QString master;
    bool modifiedProject = false;
    int saves = 0;
    int projectSaves = 0;
    int preferences = 0;
};

class BrowserPreviewTest : public ::testing::Test
{
protected:
    BrowserPreviewTest()
    {
        QDir(dir.path()).mkpath(QStringLiteral("private"));
        QDir(dir.path()).mkpath(QStringLiteral("site/mes pages"));
        browser = dir.filePath(QStringLiteral("navigateur"));
        QFile program(browser);
        program.open(QIODevice::WriteOnly);
        program.write("#!/bin/sh\n");
        program.close();
        program.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        settings.browserChoice = 1;
        settings.browserPath1 = browser;
        settings.obligatorySave = false;
    }
    QString run()
    {
        BrowserPreview preview(settings, prompts, host, launcher, previewFile, dir.filePath(QStringLiteral("private")));
        return preview.run();
    }

    QTemporaryDir dir;
    QString browser;
    Settings settings;
    FakePrompts prompts;
    ScriptedHost host;
    ScriptedLauncher launcher;
    QString previewFile;
};

} // namespace

TEST_F(BrowserPreviewTest, CopyGoesBesideTheSavedPageOrIntoThePrivateFolder)
{
    const QString site = dir.filePath(QStringLiteral("site/mes pages/"));
    const struct
    {
        QString caption;
        QString copy;
    } cases[] = {
        {QStringLiteral("SansNom.html"), dir.filePath(QStringLiteral("private/tess0000.htm"))},
        {site + QStringLiteral("été.htm"), site + QStringLiteral("tess0000.htm")},
        {site + QStringLiteral("TESS0000.HTM"), dir.filePath(QStringLiteral("private/tess0000.htm"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(str(c.caption));
        host.page->caption = c.caption;
        EXPECT_EQ(run(), c.copy);
        EXPECT_EQ(previewFile, c.copy);
        QFile copy(c.copy);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), QByteArray("<P>essai</P>\r\n"));
        EXPECT_EQ(str(launcher.started.last()), str(browser + " " + previewUrl(c.copy)));
    }
}

TEST_F(BrowserPreviewTest, CopyIsDeletedAtTheNextPreviewAndAtExit)
{
    host.page->caption = dir.filePath(QStringLiteral("site/a.htm"));
    const QString first = run();
    ASSERT_TRUE(QFileInfo::exists(first));
    host.page->caption = QStringLiteral("SansNom.html");
    const QString second = run();
    EXPECT_FALSE(QFileInfo::exists(first));
    ASSERT_TRUE(QFileInfo::exists(second));
    BrowserPreview(settings, prompts, host, launcher, previewFile, QString()).removePreviewFile();
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_TRUE(previewFile.isEmpty());
}

// Whatever lies beside the page under the copy's name (the author's own file,
// a link someone planted in a shared folder, dangling or not) is neither
// written through nor deleted: the copy goes to the private folder. There a
// planted link is replaced, its target left alone.
TEST_F(BrowserPreviewTest, NothingOfTheCopysNameIsWrittenThrough)
{
    enum Kind { OwnFile, DanglingLink, LinkToFile };
    const QString beside = dir.filePath(QStringLiteral("site/tess0000.htm"));
    const QString privateCopy = dir.filePath(QStringLiteral("private/tess0000.htm"));
    const QString target = dir.filePath(QStringLiteral("elsewhere.htm"));
    const struct
    {
        Kind kind;
        QString planted;
    } cases[] = {
        {OwnFile, beside},           {DanglingLink, beside},    {LinkToFile, beside},
        {DanglingLink, privateCopy}, {LinkToFile, privateCopy},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.kind));
        SCOPED_TRACE(str(c.planted));
        QFile::remove(beside);
        QFile::remove(privateCopy);
        QFile::remove(target);
        if (c.kind == LinkToFile || c.kind == OwnFile) {
            QFile file(c.kind == OwnFile ? c.planted : target);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("mine");
        }
        if (c.kind != OwnFile) {
            ASSERT_TRUE(QFile::link(target, c.planted));
        }
        // A page never saved has its copy in the private folder.
        host.page->caption = c.planted == beside ? dir.filePath(QStringLiteral("site/a.htm")) : "SansNom.html";
        EXPECT_EQ(run(), privateCopy);
        EXPECT_FALSE(QFileInfo(privateCopy).isSymLink());
        BrowserPreview(settings, prompts, host, launcher, previewFile, QString()).removePreviewFile();
        EXPECT_FALSE(QFileInfo::exists(privateCopy));
        if (c.planted == beside) {
            EXPECT_TRUE(QFileInfo(beside).isSymLink() || QFileInfo(beside).isFile());
        }
        QFile kept(c.kind == OwnFile ? c.planted : target);
        if (c.kind == DanglingLink) {
            EXPECT_FALSE(kept.exists());
        } else {
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), QByteArray("mine"));
        }
    }
}

TEST_F(BrowserPreviewTest, UrlKeepsBlanksAndAccentsOfThePath)
{
    EXPECT_EQ(previewUrl(QStringLiteral("/web/mes pages/été.htm")),
              QStringLiteral("file:///web/mes%20pages/%C3%A9t%C3%A9.htm"));
    BrowserProgram second{browser, 2};
    EXPECT_EQ(str(browserArguments(second, QStringLiteral("/web/a b.htm"), true)), "file:/web/a%20b.htm");
    EXPECT_EQ(str(browserArguments(second, QStringLiteral("/web/a b.htm"), false)), "file:///web/a%20b.htm");
}

TEST_F(BrowserPreviewTest, EachFailureHasItsAnswer)
{
    const struct
    {
        const char *name;
        int choice;
        QString path;
        bool starts;
        QStringList shown;
    } cases[] = {
        {"no browser chosen", 0, browser, true, {}},
        {"chosen browser without path", 2, QString(), true, {}},
        {"program missing", 1, dir.filePath(QStringLiteral("absent")), true, {"error:" + msg(91)}},
        {"program not executable", 1, dir.filePath(QStringLiteral("private")), true, {"error:" + msg(91)}},
        {"start failing", 1, browser, false, {"error:" + msg(12)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        settings.browserChoice = c.choice;
        settings.browserPath1 = c.path;
        settings.browserPath2.clear();
        launcher.succeeds = c.starts;
        prompts.shown.clear();
        host.preferences = 0;
        EXPECT_TRUE(run().isEmpty());
        EXPECT_EQ(str(prompts.shown), str(c.shown));
        EXPECT_EQ(host.preferences, 1);
    }
}

TEST_F(BrowserPreviewTest, ObligatorySaveShowsTheSavedPage)
{
    settings.obligatorySave = true;
    const QString saved = dir.filePath(QStringLiteral("site/a.htm"));
    const struct
    {
        const char *name;
        QString caption;
        bool modified;
        QString saveAsName;
        std::deque<Prompts::Answer> answers;
        QString shown; // the page, or the message
        int saves;
    } cases[] = {
        {"never saved, Save as cancelled", "SansNom.html", true, QString(), {}, "information:" + msg(14), 1},
        {"never saved, then saved", "SansNom.html", true, saved, {}, saved, 1},
        {"changed, saved on Yes", saved, true, QString(), {Prompts::Answer::Yes}, saved, 1},
        {"changed, shown as last written on No", saved, true, QString(), {Prompts::Answer::No}, saved, 0},
        {"unchanged, saved without question", saved, false, QString(), {}, saved, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        host.page->caption = c.caption;
        host.page->modified = c.modified;
        host.saveAsName = c.saveAsName;
        host.saves = 0;
        prompts.answers = c.answers;
        prompts.shown.clear();
        const QString shown = run();
        EXPECT_EQ(str(shown.isEmpty() ? prompts.shown.value(0) : shown), str(c.shown));
        EXPECT_EQ(host.saves, c.saves);
        EXPECT_TRUE(previewFile.isEmpty());
    }
}

TEST_F(BrowserPreviewTest, HeadlessChromiumLoadsTheTemporaryPage)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << qPrintable(HeadlessBrowser::missingReason());
    // The configured browser: Chromium behind a small script that adds the
    // arguments a test machine needs and keeps what the browser loaded.
    QTemporaryDir profile;
    const QString dump = dir.filePath(QStringLiteral("dom.html"));
    const auto quoted = [](const QString &s) { return "'" + QString(s).replace("'", "'\\''") + "'"; };
    QStringList command{quoted(HeadlessBrowser::program())};
    for (const QString &argument : HeadlessBrowser::baseArguments(profile.path()))
        command << quoted(argument);
    const QString script = dir.filePath(QStringLiteral("chromium-test"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("#!/bin/sh\n" + command.join(' ') + " --dump-dom \"$@\" > " + quoted(dump) + ".part 2>/dev/null && mv "
                + quoted(dump) + ".part " + quoted(dump) + "\n")
                   .toUtf8());
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    settings.browserChoice = 2;
    settings.browserPath2 = script;
    host.page->caption = dir.filePath(QStringLiteral("site/mes pages/été.htm"));
    host.page->text = QStringLiteral(
        "<HTML><HEAD><META CHARSET=\"utf-8\"></HEAD><BODY><P ID=\"x\">Aperçu réussi</P></BODY></HTML>\r\n");
    ProcessBrowserLauncher real;
    BrowserPreview preview(settings, prompts, host, real, previewFile, dir.filePath(QStringLiteral("private")));
    ASSERT_EQ(preview.run(), dir.filePath(QStringLiteral("site/mes pages/tess0000.htm")));
    QDeadlineTimer deadline(60000);
    while (!QFileInfo::exists(dump) && !deadline.hasExpired())
        QThread::msleep(100);
    QFile loaded(dump);
    ASSERT_TRUE(loaded.open(QIODevice::ReadOnly)) << "the browser wrote nothing";
    EXPECT_TRUE(QString::fromUtf8(loaded.readAll()).contains(QStringLiteral("<p id=\"x\">Aperçu réussi</p>")));
    EXPECT_TRUE(prompts.shown.isEmpty());
}
