#include "core/livepreview/livepreviewrules.h"
#include "core/messages/messages.h"
#include "core/preview/browserlauncher.h"
#include "support/framefixture.h"
#include "ui/livepreview/livepreviewcommand.h"
#include "ui/livepreview/livepreviewpane.h"
#include "ui/text/editorwidget.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

class RecordingLauncher : public BrowserLauncher
{
public:
    bool start(const QString &, const QStringList &arguments) override
    {
        urls << arguments.join(u' ');
        return true;
    }
    QStringList urls;
};

template<typename Condition> bool waitUntil(Condition condition, int ms = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

class LivePreviewTest : public FrameFixture
{
protected:
    void startWithPane()
    {
        store.setValue(QStringLiteral("Apercu/Integre"), 1);
        store.setValue(QStringLiteral("Browser/Numero"), 1);
        store.setValue(QStringLiteral("Browser/Name"), QStringLiteral("/bin/true"));
        start();
        command = window->findChild<LivePreviewCommand *>();
        ASSERT_TRUE(command);
        command->setLauncher(&launcher);
        ASSERT_TRUE(waitUntil([this] { return command->pane()->isVisible(); }));
    }
    // Runs a script in the pane; its result as text, empty while the pane
    // shows no page.
    QString evaluate(const QString &script)
    {
        if (!command->pane()->view())
            return QString();
        auto result = std::make_shared<std::optional<QString>>();
        command->pane()->view()->page()->runJavaScript(script,
                                                       [result](const QVariant &value) { *result = value.toString(); });
        waitUntil([result] { return result->has_value(); }, 10000);
        return result->value_or(QString());
    }
    // Whether the pane comes to give expected for script.
    bool paneShows(const QString &script, const QString &expected)
    {
        return waitUntil([&] { return evaluate(script) == expected; });
    }

    RecordingLauncher launcher;
    LivePreviewCommand *command = nullptr;
};

const QString TextOfT = QStringLiteral("document.getElementById('t')?.textContent");

} // namespace

TEST_F(LivePreviewTest, TypedTextAndPicturesBesideThePageShow)
{
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("site")));
    ASSERT_TRUE(picture.save(path(QStringLiteral("site/image.png"))));
    ASSERT_TRUE(picture.save(path(QStringLiteral("dehors.png"))));
    startWithPane();
    // Small pages go inline, large ones through the pane's own scheme; both
    // resolve relative addresses against the page's folder, and read nothing
    // outside it.
    const struct
    {
        const char *name;
        qsizetype padding;
    } cases[] = {{"petite.htm", 0}, {"grande.htm", InlinePageLimit + 1000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray outside = QUrl::fromLocalFile(path(QStringLiteral("dehors.png"))).toEncoded();
        const QByteArray page = "<html><body><p id='t'>D\xc3\xa9"
                                "but</p><img src='image.png'>"
                                "<img src='../dehors.png'><img src='"
                                + outside + "'><!--" + QByteArray(c.padding, 'x') + "--></body></html>";
        openPage(QStringLiteral("site/") + QLatin1String(c.name), page);
        ASSERT_TRUE(paneShows(TextOfT, QStringLiteral("Début")));
        EditorWidget *editor = active()->editor();
        editor->setPosition(int(page.indexOf("but")) - 1);
        QTest::keyClicks(editor, QStringLiteral(" tape"));
        EXPECT_TRUE(paneShows(TextOfT, QStringLiteral("Dé tapebut")));
        EXPECT_TRUE(paneShows(QStringLiteral("document.images[0]?.complete && document.images[1].complete && "
                                             "document.images[2].complete && Array.from(document.images, "
                                             "i => i.naturalWidth).join()"),
                              QStringLiteral("7,0,0")));
        EXPECT_EQ(command->pane()->notice()->text(), msg(9951).arg(QLatin1String(c.name)));
    }
}

TEST_F(LivePreviewTest, ClickedLinksGoToTheExternalBrowserAndThePaneStays)
{
    startWithPane();
    openPage(QStringLiteral("liens.htm"), "<p id='t'>ici</p><a id='a' href='autre%20page.htm'>a</a>"
                                          "<a id='b' href='https://exemple.org/' target='_blank'>b</a>"
                                          "<a id='c' href='javascript:void(0)'>c</a><a id='d' href='#t'>d</a>");
    ASSERT_TRUE(paneShows(TextOfT, QStringLiteral("ici")));
    const struct
    {
        const char *link;
        QString browserGets; // empty: the browser is not started
    } cases[] = {
        {"a", QUrl::fromLocalFile(path(QStringLiteral("autre page.htm"))).toString(QUrl::FullyEncoded)},
        {"b", QStringLiteral("https://exemple.org/")},
        {"c", QString()},
        {"d", QString()}, // an anchor of the page itself
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.link);
        launcher.urls.clear();
        evaluate(QStringLiteral("document.getElementById('%1').click()").arg(QLatin1String(c.link)));
        if (!c.browserGets.isEmpty()) {
            EXPECT_TRUE(waitUntil([&] { return !launcher.urls.isEmpty(); }, 10000));
        }
        QTest::qWait(200);
        EXPECT_EQ(launcher.urls, c.browserGets.isEmpty() ? QStringList() : QStringList{c.browserGets});
        EXPECT_EQ(evaluate(TextOfT), QStringLiteral("ici"));
    }
}

TEST_F(LivePreviewTest, APageNeverSavedSaysItsAddressesResolveNowhere)
{
    startWithPane();
    dialogs.titles = {QStringLiteral("Essai")};
    files().NewDocument();
    EXPECT_TRUE(waitUntil([this] { return command->pane()->notice()->text() == msg(9952); }));
}

TEST_F(LivePreviewTest, WithoutItsEngineThePaneSaysSoAndTheEditorWorks)
{
    const QByteArray saved = qgetenv("QTWEBENGINE_PROCESS_PATH");
    const QString absent = path(QStringLiteral("absent"));
    qputenv("QTWEBENGINE_PROCESS_PATH", absent.toLocal8Bit());
    startWithPane();
    DocumentWindow *page = openPage(QStringLiteral("p.htm"), "<p>a</p>");
    const bool said = waitUntil([&] { return command->pane()->message()->text() == msg(9953).arg(absent); });
    if (saved.isEmpty())
        qunsetenv("QTWEBENGINE_PROCESS_PATH");
    else
        qputenv("QTWEBENGINE_PROCESS_PATH", saved);
    EXPECT_TRUE(said);
    EXPECT_FALSE(command->pane()->view());
    QTest::keyClicks(page->editor(), QStringLiteral("xy"));
    EXPECT_TRUE(page->text().text().startsWith(QStringLiteral("xy")));
}

TEST_F(LivePreviewTest, FollowsTheActiveTabAndKeepsItsPlaceAcrossUpdates)
{
    startWithPane();
    const QByteArray tall = "<p id='t'>a</p><div style='height:5000px'></div>";
    DocumentWindow *first = openPage(QStringLiteral("a.htm"), tall);
    openPage(QStringLiteral("b.htm"), "<p id='t'>b</p>");
    ASSERT_TRUE(paneShows(TextOfT, QStringLiteral("b")));
    window->workspace()->activate(first);
    ASSERT_TRUE(paneShows(TextOfT, QStringLiteral("a")));

    evaluate(QStringLiteral("window.scrollTo(0, 800)"));
    ASSERT_TRUE(waitUntil([this] { return command->pane()->view()->page()->scrollPosition().y() == 800; }));
    first->editor()->setPosition(int(tall.indexOf("a</p>")));
    QTest::keyClicks(first->editor(), QStringLiteral("x"));
    ASSERT_TRUE(paneShows(TextOfT, QStringLiteral("xa")));
    EXPECT_TRUE(paneShows(QStringLiteral("window.scrollY"), QStringLiteral("800")));
}
