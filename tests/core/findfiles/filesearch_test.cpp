#include "core/findfiles/filesearch.h"
#include "support/filebytes.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

struct Folder
{
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void put(const char *name, const QByteArray &bytes) const
    {
        QDir(dir.path()).mkpath(QFileInfo(path(name)).path());
        writeAll(path(name), bytes);
    }
};

FindInFilesSummary run(const FindInFilesRequest &request, QList<FileResult> *results = nullptr)
{
    std::atomic_bool cancelled = false;
    return findInFiles(request, cancelled, [&](const FileResult &result) {
        if (results)
            results->append(result);
    });
}

} // namespace

TEST(FindInFiles, ReplacesOnlyTheMatchedBytesOfEachPage)
{
    Folder folder;
    // A UTF-8 page with LF, a Windows-1252 page with CR LF (é is one byte),
    // a page with a mark, files the search leaves alone.
    folder.put("un.htm", "<p>Caf\xC3\xA9 <b>un</b></p>\n<b>deux</b>\n");
    folder.put("sous/deux.html", "<B>\xE9t\xE9</B>\r\n\r\n<b>x</b> \x80\r\n");
    folder.put("marque.htm", "\xEF\xBB\xBF<b>\xE2\x82\xAC</b>\r\n");
    folder.put("image.htm", QByteArray("<b>a</b>\0\x01", 10));
    folder.put("notes.txt", "<b>texte</b>");
    folder.put("large.htm", "<b>" + QByteArray(5000, 'x') + "</b>");
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"<b>\u20AC</b>\n"), 20);
    folder.put("seize.htm", utf16);
    FindInFilesRequest request;
    request.folder = folder.dir.path();
    request.pattern = QStringLiteral("<b>([^<]*)</b>");
    request.options = MatchOptions{false, false, true};
    request.replace = true;
    request.replacement = QStringLiteral("<strong>\\1</strong>\\n");
    request.maxFileBytes = 4096;
    QList<FileResult> results;
    const FindInFilesSummary summary = run(request, &results);

    const struct
    {
        const char *name;
        QByteArray expected;
    } pages[] = {
        {"un.htm", "<p>Caf\xC3\xA9 <strong>un</strong>\n</p>\n<strong>deux</strong>\n\n"},
        {"sous/deux.html", "<strong>\xE9t\xE9</strong>\r\n\r\n\r\n<strong>x</strong>\r\n \x80\r\n"},
        {"marque.htm", "\xEF\xBB\xBF<strong>\xE2\x82\xAC</strong>\r\n\r\n"},
        {"image.htm", QByteArray("<b>a</b>\0\x01", 10)},
        {"notes.txt", "<b>texte</b>"},
        {"large.htm", "<b>" + QByteArray(5000, 'x') + "</b>"},
        {"seize.htm",
         QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"<strong>\u20AC</strong>\n\n"), 42)},
    };
    for (const auto &page : pages)
        EXPECT_EQ(readAll(folder.path(page.name)), page.expected) << page.name;
    EXPECT_EQ(summary.searched, 4);
    EXPECT_EQ(summary.changedFiles, 4);
    EXPECT_EQ(summary.replaced, 6);
    EXPECT_EQ(summary.skipped[int(SkipReason::Binary)], 1);
    EXPECT_EQ(summary.skipped[int(SkipReason::TooLarge)], 1);
    EXPECT_EQ(summary.failed, 0);
    EXPECT_EQ(results.size(), 4);
}

TEST(FindInFiles, ReportsEachMatchWithItsLineAndLeavesOpenPagesToTheEditor)
{
    Folder folder;
    folder.put("a.htm", "x\r\n\xE9\xE9 titre\r\n");
    folder.put("b.htm", "<h1>titre</h1>");
    FindInFilesRequest request;
    request.files = {folder.path("a.htm"), folder.path("b.htm")};
    request.pattern = QStringLiteral("TITRE");
    request.replace = true;
    request.replacement = QStringLiteral("nom");
    // b.htm is open with other text: that text is searched, the file kept.
    request.openTexts.insert(QFileInfo(folder.path("b.htm")).canonicalFilePath(), QStringLiteral("\r\nun titre"));
    QList<FileResult> results;
    run(request, &results);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(readAll(folder.path("a.htm")), QByteArray("x\r\n\xE9\xE9 nom\r\n"));
    EXPECT_EQ(readAll(folder.path("b.htm")), QByteArray("<h1>titre</h1>"));
    const struct
    {
        int line, column;
        bool open;
        const char *excerpt;
    } expected[] = {{1, 3, false, "\u00E9\u00E9 nom"}, {1, 3, true, "un nom"}}; // as replaced
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(results[i].hits.size(), 1);
        EXPECT_EQ(results[i].hits[0].line, expected[i].line);
        EXPECT_EQ(results[i].hits[0].column, expected[i].column);
        EXPECT_EQ(results[i].hits[0].excerpt, QString::fromUtf8(expected[i].excerpt));
        EXPECT_EQ(results[i].open, expected[i].open);
    }
}

TEST(FindInFiles, ClipsLongLinesAroundTheMatch)
{
    const QString text = QString(5000, u'a') + QStringLiteral("MOT") + QString(5000, u'b') + QStringLiteral("\nMOT");
    const QList<LineHit> hits = lineHits(text, {Match{5000, 3, {}}, Match{10004, 3, {}}});
    ASSERT_EQ(hits.size(), 2);
    EXPECT_EQ(hits[0].excerpt.size(), ExcerptLength);
    EXPECT_EQ(hits[0].excerpt.mid(hits[0].excerptMatch, hits[0].excerptLength), QStringLiteral("MOT"));
    EXPECT_EQ(hits[1].line, 1);
    EXPECT_EQ(hits[1].excerpt, QStringLiteral("MOT"));
}

TEST(FindInFiles, KeepsLinksAndSearchesAPageWithTwoNamesOnce)
{
    for (const bool symbolic : {false, true}) {
        Folder folder;
        folder.put("page.htm", "<i>a</i>");
        const QByteArray page = QFile::encodeName(folder.path("page.htm"));
        const QByteArray other = QFile::encodeName(folder.path("autre.htm"));
        ASSERT_EQ(
            symbolic ? ::symlink(page.constData(), other.constData()) : ::link(page.constData(), other.constData()), 0);
        FindInFilesRequest request;
        request.folder = folder.dir.path();
        request.pattern = QStringLiteral("a");
        request.replace = true;
        request.replacement = QStringLiteral("aa");
        const FindInFilesSummary summary = run(request);
        EXPECT_EQ(summary.replaced, 1) << symbolic; // not "aaa": the second name is the same page
        for (const char *name : {"page.htm", "autre.htm"})
            EXPECT_EQ(readAll(folder.path(name)), QByteArray("<i>aa</i>")) << name << symbolic;
        EXPECT_EQ(QFileInfo(folder.path("autre.htm")).isSymLink(), symbolic);
    }
}

TEST(FindInFiles, ALongSearchIsCancelledAndAWindows1252PageNeverTakesCharactersItCannotHold)
{
    Folder folder;
    folder.put("a.htm", "caf\xE9");
    FindInFilesRequest request;
    request.folder = folder.dir.path();
    request.pattern = QStringLiteral("caf");
    request.replace = true;
    request.replacement = QStringLiteral("\u4E2D");
    QList<FileResult> results;
    const FindInFilesSummary summary = run(request, &results);
    EXPECT_EQ(summary.failed, 1);
    ASSERT_EQ(results.size(), 1);
    EXPECT_FALSE(results[0].failure.isEmpty());
    EXPECT_EQ(readAll(folder.path("a.htm")), QByteArray("caf\xE9"));

    std::atomic_bool cancelled = true;
    EXPECT_TRUE(findInFiles(request, cancelled, [](const FileResult &) { FAIL(); }).cancelled);
}

TEST(FindInFiles, WalksTheFolderByMaskAndDepth)
{
    Folder folder;
    for (const char *name : {"a.htm", "B.HTML", "c.css", "sous/d.htm", "sous/plus/e.html"})
        folder.put(name, "x");
    const struct
    {
        const char *mask;
        bool subfolders;
        QStringList expected;
    } cases[] = {
        {"*.htm;*.html", false, {"B.HTML", "a.htm"}},
        {"*.htm;*.html", true, {"B.HTML", "a.htm", "sous/d.htm", "sous/plus/e.html"}},
        {"*.css d*", true, {"c.css", "sous/d.htm"}},
    };
    for (const auto &c : cases) {
        QStringList found;
        walkFolder(folder.dir.path(), FileMask(QString::fromUtf8(c.mask)), c.subfolders, [&](const QString &path) {
            found << QDir(folder.dir.path()).relativeFilePath(path);
            return true;
        });
        found.sort();
        EXPECT_EQ(found, c.expected) << c.mask;
    }
}
