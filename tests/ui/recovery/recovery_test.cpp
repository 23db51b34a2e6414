#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "ui/recovery/recoverykeeper.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using Answer = Prompts::Answer;

// A frame window over a page file, keeping copies in a folder of the test.
// The folder's path travels to the killed child process in the environment,
// since a death test re-runs this code in a fresh process.
class RecoveryCycle : public ::testing::Test
{
protected:
    static constexpr const char *FolderVariable = "TESSALINE_RECOVERY_TEST_FOLDER";

    RecoveryCycle()
    {
        base = qEnvironmentVariable(FolderVariable);
        if (base.isEmpty()) {
            ownDir = std::make_unique<QTemporaryDir>();
            base = ownDir->path();
            qputenv(FolderVariable, base.toUtf8());
        }
        page = QDir(base).filePath(QStringLiteral("page.htm"));
        if (!QFile::exists(page)) {
            QFile f(page);
            f.open(QIODevice::WriteOnly);
            f.write("<HTML>\r\n<BODY>\r\n</BODY>\r\n</HTML>\r\n");
        }
    }
    ~RecoveryCycle() override
    {
        if (window) {
            for (DocumentWindow *document : window->workspace()->documents())
                document->text().setModified(false);
            window->close();
        }
        if (ownDir)
            qunsetenv(FolderVariable);
    }

    void start()
    {
        store = std::make_unique<QSettings>(QDir(base).filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        store->setValue(QStringLiteral("Tessaline/APropos"), 0);
        window = std::make_unique<MainWindow>(MainWindow::Services{store.get(), &prompts, &dialogs});
        window->setRecoveryFolder(root());
        window->recovery()->setDelay(20);
        window->show();
        QCoreApplication::processEvents();
    }
    QString root() const { return QDir(base).filePath(QStringLiteral("recovery")); }
    // Copies lying in the recovery folder, whoever wrote them.
    int copyCount() const
    {
        int count = 0;
        for (const QString &folder : QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            count += int(QDir(root() + u'/' + folder).entryList({QStringLiteral("*.page")}, QDir::Files).size());
        return count;
    }
    void typeIntoNewCopy(const QString &typed)
    {
        QSignalSpy written(window->recovery(), &RecoveryKeeper::copiesChanged);
        QTest::keyClicks(window->activeDocument()->editor(), typed);
        ASSERT_TRUE(written.wait(5000));
    }

    std::unique_ptr<QTemporaryDir> ownDir;
    QString base;
    QString page;
    std::unique_ptr<QSettings> store;
    FakePrompts prompts;
    FakeShellDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

class RecoveryAfterKill : public RecoveryCycle, public ::testing::WithParamInterface<bool>
{
};

TEST_P(RecoveryAfterKill, OffersThePagesOnceThenReopensOrDeletesThem)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            start();
            window->files()->OpenDocument(page);
            window->activeDocument()->text().setSelectionStart(8);
            typeIntoNewCopy(QStringLiteral("<P>perdu?"));
            std::raise(SIGKILL);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    ASSERT_EQ(copyCount(), 1);

    const bool accept = GetParam();
    prompts.answers = {accept ? Answer::Yes : Answer::No};
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.asked.isEmpty(); }, 5000));
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_TRUE(prompts.asked[0].contains(page));
    EXPECT_TRUE(prompts.shown.isEmpty());
    if (accept) {
        DocumentWindow *document = window->activeDocument();
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->caption(), page);
        EXPECT_EQ(document->text().line(1), QStringLiteral("<P>perdu?<BODY>"));
        EXPECT_TRUE(document->text().isModified());
        // The old copy gave way to the running program's own.
        EXPECT_EQ(copyCount(), 1);
        // Saving ends the page's copy.
        window->files()->FileSaveItemClick();
        window->recovery()->flush();
        EXPECT_EQ(copyCount(), 0);
    } else {
        EXPECT_EQ(window->activeDocument(), nullptr);
        EXPECT_EQ(copyCount(), 0);
    }
    // The next start has nothing to offer.
    window.reset();
    prompts.asked.clear();
    start();
    QTest::qWait(50);
    EXPECT_TRUE(prompts.asked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(AcceptOrDecline, RecoveryAfterKill, ::testing::Bool());

TEST_F(RecoveryCycle, ClosingWithoutSavingRemovesTheCopy)
{
    start();
    window->files()->OpenDocument(page);
    typeIntoNewCopy(QStringLiteral("x"));
    EXPECT_EQ(copyCount(), 1);
    prompts.answers = {Answer::No};
    window->files()->CloseActiveDocument();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window->recovery()->flush();
    EXPECT_EQ(copyCount(), 0);
}

TEST_F(RecoveryCycle, DamagedCopyIsReportedAndNotOffered)
{
    const QString ended = root() + QStringLiteral("/20260101000000000-1-ended");
    ASSERT_TRUE(QDir().mkpath(ended));
    QFile f(ended + QStringLiteral("/1.page"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("TESSALINE-RECOVERY 1\ngarbage");
    f.close();
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.shown.isEmpty(); }, 5000));
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_TRUE(prompts.shown[0].startsWith(QStringLiteral("warning:[") + root() + QStringLiteral("/damaged/")));
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_EQ(window->activeDocument(), nullptr);
}

} // namespace
