#include "core/preview/browserlauncher.h"
#include "core/settings/settings.h"
#include "support/framefixture.h"
#include "ui/preferences/optionscommands.h"
#include "ui/preview/previewcommand.h"
#include "ui/project/projectcommands.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RecordingLauncher : public BrowserLauncher
{
public:
    bool start(const QString &, const QStringList &arguments) override
    {
        urls << arguments.join(QLatin1Char(' '));
        return true;
    }
    QStringList urls;
};

class PreviewCommandTest : public FrameFixture
{
};

} // namespace

TEST_F(PreviewCommandTest, F10ShowsTheCopyOrTheMasterAndExitDeletesTheCopy)
{
    store.setValue(QStringLiteral("Fichier/Verification"), 0);
    store.setValue(QStringLiteral("Browser/Numero"), 1);
    store.setValue(QStringLiteral("Browser/Name"), QStringLiteral("/bin/true"));
    start();
    MainWindow &window = *this->window;
    RecordingLauncher launcher;
    window.preview()->setLauncher(&launcher);
    window.preview()->setPrivateFolder(dir.path());

    QAction *preview = window.options()->previewAction();
    EXPECT_EQ(preview, window.preview()->action());
    EXPECT_EQ(preview->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_FALSE(preview->isEnabled());
    dialogs.titles = {QStringLiteral("Essai")};
    window.files()->NewDocument();
    ASSERT_TRUE(preview->isEnabled());

    QTest::keyClick(&window, Qt::Key_F10);
    const QString copy = dir.filePath(QStringLiteral("tess0000.htm"));
    ASSERT_EQ(launcher.urls, QStringList{previewUrl(copy)});
    EXPECT_EQ(window.PreviewFile, copy);

    // With a master page the project's page is shown instead.
    const QString master = dir.filePath(QStringLiteral("index.htm"));
    QFile(master).open(QIODevice::WriteOnly);
    window.project()->newProject();
    window.project()->addFiles({master});
    window.project()->toggleMaster(0);
    prompts.answers = {Prompts::Answer::No};
    preview->trigger();
    EXPECT_EQ(launcher.urls.last(), previewUrl(master));
    EXPECT_FALSE(QFileInfo::exists(copy));

    window.project()->toggleMaster(0);
    preview->trigger();
    ASSERT_TRUE(QFileInfo::exists(copy));
    window.project()->project().ProjectModified = false;
    window.activeDocument()->text().setModified(false);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(QFileInfo::exists(copy));
}
