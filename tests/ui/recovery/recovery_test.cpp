#include "core/messages/messages.h"
#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "support/filebytes.h"
#include "support/fullfilesystem.h"
#include "support/ondialog.h"
#include "support/qstringprinter.h"
#include "ui/recovery/recoverydialog.h"
#include "ui/recovery/recoverykeeper.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/mount.h>

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

    void start(const QString &folder = QString())
    {
        store = std::make_unique<QSettings>(QDir(base).filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        store->setValue(QStringLiteral("Tessaline/APropos"), aboutBox ? 1 : 0);
        window = std::make_unique<MainWindow>(MainWindow::Services{store.get(), &prompts, &dialogs});
        window->setRecoveryFolder(folder.isEmpty() ? root() : folder);
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
    // Answers the question about left-over pages, noting what it listed.
    void answerLeftOvers(bool reopen)
    {
        onDialog<RecoveryDialog>([this, reopen](RecoveryDialog &dialog) {
            for (int i = 0; i < dialog.pageList()->count(); ++i)
                listed << dialog.pageList()->item(i)->text();
            (reopen ? dialog.okButton() : dialog.cancelButton())->click();
        });
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
    QStringList listed;
    bool aboutBox = false;
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
    answerLeftOvers(accept);
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !listed.isEmpty(); }, 5000));
    EXPECT_EQ(listed, QStringList{page});
    EXPECT_TRUE(prompts.asked.isEmpty());
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
    listed.clear();
    start();
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(AcceptOrDecline, RecoveryAfterKill, ::testing::Bool());

// Typing that never pauses long enough still leaves a copy behind when the
// program is killed.
TEST_F(RecoveryCycle, KeepsCopyingWhileTheAuthorKeepsTyping)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            start();
            window->recovery()->setDelay(300);
            window->recovery()->setLongestWait(600);
            window->files()->OpenDocument(page);
            QSignalSpy written(window->recovery(), &RecoveryKeeper::copiesChanged);
            for (int i = 0; i < 12 && written.isEmpty(); ++i) {
                QTest::keyClicks(window->activeDocument()->editor(), QStringLiteral("x"));
                QTest::qWait(150);
            }
            if (written.isEmpty())
                std::exit(3);
            std::raise(SIGKILL);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(copyCount(), 1);
}

// However many pages are left, the question fits on the screen and both
// answers stay in reach of the mouse and the keyboard.
TEST_F(RecoveryCycle, ThousandsOfLeftOversStayAnswerable)
{
    const QString ended = root() + QStringLiteral("/20260101000000000-1-ended");
    ASSERT_TRUE(QDir().mkpath(ended));
    for (int i = 1; i <= 2000; ++i)
        writeAll(ended + QStringLiteral("/%1.page").arg(i),
                 encodeRecoveryCopy({QStringLiteral("/site/page%1.htm").arg(i), QStringLiteral("x"), {}}));
    bool checked = false;
    onDialog<RecoveryDialog>([&checked](RecoveryDialog &dialog) {
        const QRect screen = dialog.screen()->availableGeometry();
        EXPECT_LE(dialog.frameGeometry().height(), screen.height());
        EXPECT_EQ(dialog.pageList()->count(), 2000);
        for (QPushButton *button : {dialog.okButton(), dialog.cancelButton(), dialog.helpButton()}) {
            EXPECT_TRUE(button->isVisible());
            EXPECT_TRUE(dialog.rect().contains(button->mapTo(&dialog, button->rect().bottomRight())));
        }
        bool listHasLabel = false;
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            listHasLabel |= label->buddy() == dialog.pageList();
        EXPECT_TRUE(listHasLabel);
        EXPECT_TRUE(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/help/")
                                  + dialog.helpPage()));
        EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("&Oui"));
        EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("&Non"));
        checked = true;
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    start();
    ASSERT_TRUE(QTest::qWaitFor([&checked] { return checked; }, 10000));
    QTest::qWait(10);
    EXPECT_EQ(window->activeDocument(), nullptr);
    EXPECT_EQ(copyCount(), 0);
}

// A recovery folder that cannot take copies is told once, with its reason,
// in a message and in the status bar; a link in its place is not followed.
TEST_F(RecoveryCycle, CopiesThatCannotBeWrittenAreToldOnce)
{
    enum Where { LinkedRoot, FullDisk, ReadOnlyDisk };
    const struct
    {
        Where where;
        int reason;
    } cases[] = {{LinkedRoot, 9204}, {FullDisk, 9201}, {ReadOnlyDisk, 9202}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.where));
        FullFileSystem disk;
        QString folder = root();
        QDir(root()).removeRecursively();
        QFile::remove(root());
        const QString target = QDir(base).filePath(QStringLiteral("target"));
        if (c.where == LinkedRoot) {
            ASSERT_TRUE(QDir().mkpath(target));
            ASSERT_TRUE(QFile::link(target, root()));
        } else {
            if (!disk.isReady())
                GTEST_SKIP() << "a tmpfs can be mounted only by the administrator";
            folder = disk.filePath(QStringLiteral("recovery"));
            // Room for the program's folder and lock, none for the copies.
            ASSERT_TRUE(QDir().mkpath(folder));
            if (c.where == FullDisk)
                disk.fill();
            else
                ASSERT_EQ(::mount(nullptr, QFile::encodeName(disk.filePath(QString())).constData(), nullptr,
                                  MS_REMOUNT | MS_RDONLY, nullptr),
                          0);
        }
        start(folder);
        window->files()->OpenDocument(page);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClicks(window->activeDocument()->editor(), QStringLiteral("x"));
            QTest::qWait(60);
            window->recovery()->flush();
        }
        ASSERT_EQ(prompts.shown.size(), 1);
        EXPECT_EQ(str(prompts.shown[0]),
                  str(QStringLiteral("warning:") + msg(9200) + u'[' + folder + u']' + msg(c.reason) + msg(9206)));
        EXPECT_EQ(window->statusBar()->findChildren<QLabel *>(QStringLiteral("recoveryLost")).size(), 1);
        if (c.where == LinkedRoot) {
            EXPECT_TRUE(QDir(target).isEmpty());
        }
        window->activeDocument()->text().setModified(false);
        window.reset();
        prompts.shown.clear();
    }
}

// Ctrl+S saves a page reopened from its copy, as it saves any other page: the
// about box, which would come over the page and take the keyboard, stays shut.
TEST_F(RecoveryCycle, CtrlSSavesARecoveredPage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            start();
            window->files()->OpenDocument(page);
            typeIntoNewCopy(QStringLiteral("<P>"));
            std::raise(SIGKILL);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    answerLeftOvers(true);
    aboutBox = true;
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->activeDocument() != nullptr; }, 5000));
    EXPECT_EQ(dialogs.aboutShown, 0);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EditorWidget *editor = window->activeDocument()->editor();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->activeDocument()->text().isModified());
    EXPECT_TRUE(readAll(page).startsWith("<P><HTML>"));
}

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
