#include "core/messages/messages.h"
#include "support/framefixture.h"
#include "support/ondialog.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/picker/picturepicker.h"
#include "ui/picker/picturepreview.h"

#include <QCheckBox>
#include <QImage>
#include <QListView>
#include <QPushButton>

#include <gtest/gtest.h>

// Waits for what the file system model or the preview thread delivers
// later. QTRY_COMPARE only returns from the test on failure, which
// GoogleTest counts as a pass.
#define EXPECT_SOON_EQ(actual, expected)                                                                               \
    do {                                                                                                               \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); });                                                 \
        EXPECT_EQ(actual, expected);                                                                                   \
    } while (0)

namespace {

// A page folder holding two pictures, a text file and a sub-folder.
struct PickerTesting : DialogTesting
{
    PickerTesting()
    {
        QImage(64, 32, QImage::Format_RGB32).save(folder.filePath(QStringLiteral("a.png")));
        // Qt writes no GIF: a 1x1 one by hand.
        writeFile(QStringLiteral("B.GIF"), QByteArray::fromHex("47494638396101000100800000000000ffffff21f904010000"
                                                               "00002c00000000010001000002024401003b"));
        writeFile(QStringLiteral("notes.txt"), "x");
        QDir(folder.path()).mkdir(QStringLiteral("sous"));
    }
    std::unique_ptr<TOuvrirFrm> open(const QString &filter = msg(3003))
    {
        auto dialog = std::make_unique<TOuvrirFrm>(services, filter, folder.path());
        dialog->show();
        return dialog;
    }
};

TEST(PicturePicker, PageIsReadableAndEveryFieldCaptioned)
{
    PickerTesting t;
    checkDialogPage(new TOuvrirFrm(t.services, msg(3003), t.folder.path()), "picker", -1);
}

TEST(PicturePicker, OkAndEnterFollowTheNameField)
{
    const struct
    {
        const char *typed;
        const char *shown; // information shown, if any
        bool accepted;
        const char *folder; // the list's folder afterwards, below the page's
        int files;          // files listed afterwards
    } cases[] = {
        {"", "Veuillez choisir un fichier graphique.", false, "", 1},
        {"absent.gif", "Veuillez choisir un fichier graphique.", false, "", 1},
        {"absent", "Ce répertoire n'existe pas ou a été éffacé.", false, "", 1},
        {"a.png", nullptr, true, "", 1},
        {"sous", nullptr, false, "/sous", 0},
        {"*.txt", nullptr, false, "", 1},
        {"*.*", nullptr, false, "", 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        PickerTesting t;
        auto dialog = t.open(QStringLiteral("Fichiers PNG (*.png) |*.png|Tous les fichiers (*.*) |*.*"));
        dialog->nameEdit()->setText(QString::fromUtf8(c.typed));
        QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        EXPECT_EQ(t.host.fakePrompts.shown,
                  c.shown ? QStringList{QStringLiteral("information:") + QString::fromUtf8(c.shown)} : QStringList());
        EXPECT_EQ(dialog->isVisible(), !c.accepted);
        EXPECT_EQ(dialog->selectedFile(), c.accepted ? t.folder.filePath(QString::fromUtf8(c.typed)) : QString());
        EXPECT_EQ(dialog->folder(), t.folder.path() + QString::fromUtf8(c.folder));
        EXPECT_SOON_EQ(dialog->fileCount(), c.files);
        EXPECT_EQ(dialog->statusLabel()->text(), QString::number(c.files) + msg(7746));
    }
}

TEST(PicturePicker, ListShowsUpperCaseExtensionsAndPreviewsTheSelection)
{
    PickerTesting t;
    auto dialog = t.open();
    EXPECT_SOON_EQ(dialog->fileCount(), 1);  // B.GIF under "*.gif;*.jpg"
    dialog->typeCombo()->setCurrentIndex(3); // PNG
    const auto first = [&dialog] { return dialog->fileList()->model()->index(0, 0, dialog->fileList()->rootIndex()); };
    EXPECT_SOON_EQ(first().data().toString(), QStringLiteral("a.png"));
    dialog->fileList()->setCurrentIndex(first());
    EXPECT_EQ(dialog->nameEdit()->text(), QStringLiteral("a.png"));
    EXPECT_SOON_EQ(dialog->dimensionLabel()->text(), QStringLiteral("64x32"));
    EXPECT_TRUE(dialog->preview()->hasPicture());
    EXPECT_FALSE(dialog->sizeLabel()->text().isEmpty());

    // Without "Aperçu visible" nothing is shown.
    dialog->previewBox()->setChecked(false);
    EXPECT_FALSE(dialog->preview()->hasPicture());
    EXPECT_TRUE(dialog->dimensionLabel()->text().isEmpty());
    // A damaged picture leaves the panel empty.
    dialog->previewBox()->setChecked(true);
    t.writeFile(QStringLiteral("casse.png"), "\x89PNG pas une image");
    int decoded = 0;
    QObject::connect(dialog->preview(), &PicturePreview::loaded, [&decoded] { ++decoded; });
    dialog->nameEdit()->setText(QStringLiteral("casse.png"));
    EXPECT_SOON_EQ(decoded, 1);
    EXPECT_EQ(dialog->sizeLabel()->text(), QStringLiteral("18"));
    EXPECT_FALSE(dialog->preview()->hasPicture());
    EXPECT_TRUE(dialog->dimensionLabel()->text().isEmpty());
}

TEST(PicturePicker, DeleteAsksAndRemovesFromDiskAndList)
{
    for (const bool yes : {false, true}) {
        PickerTesting t;
        auto dialog = t.open(QStringLiteral("PNG |*.png"));
        EXPECT_SOON_EQ(dialog->fileCount(), 1);
        const QString file = t.folder.filePath(QStringLiteral("a.png"));
        dialog->nameEdit()->setText(QStringLiteral("a.png"));
        t.host.fakePrompts.answers = {yes ? Prompts::Answer::Yes : Prompts::Answer::No};
        QApplication::setActiveWindow(dialog.get());
        dialog->fileList()->setFocus();
        QTest::keyClick(dialog->fileList(), Qt::Key_Delete);
        EXPECT_EQ(t.host.fakePrompts.asked,
                  QStringList{QStringLiteral("Voulez-vous vraiment effacer le fichier [%1]?").arg(file)});
        EXPECT_EQ(QFile::exists(file), !yes);
        EXPECT_SOON_EQ(dialog->fileCount(), yes ? 0 : 1);
    }
}

TEST(PicturePicker, MoveAsksThenMovesOrReportsAndKeepsTheSource)
{
    for (const bool copyWorks : {true, false}) {
        PickerTesting t;
        PickerFileOps ops = PickerFileOps::system();
        ops.rename = [](const QString &, const QString &) { return false; };
        if (!copyWorks)
            ops.copy = [](const QString &, const QString &) { return false; };
        TOuvrirFrm dialog(t.services, msg(3003), t.folder.path(), nullptr, ops);
        const QString file = t.folder.filePath(QStringLiteral("B.GIF"));
        const QString target = t.folder.filePath(QStringLiteral("sous"));
        t.host.fakePrompts.answers = {Prompts::Answer::Yes};
        dialog.moveFile(file, target);
        EXPECT_EQ(t.host.fakePrompts.asked,
                  QStringList{QStringLiteral("Voulez-vous déplacer [%1] vers le répertoire [%2]?").arg(file, target)});
        EXPECT_EQ(QFile::exists(file), !copyWorks);
        EXPECT_EQ(QFile::exists(target + QStringLiteral("/B.GIF")), copyWorks);
        EXPECT_EQ(t.host.fakePrompts.shown.size(), copyWorks ? 0 : 1);
        // Dropping a file on its own folder asks nothing.
        dialog.moveFile(t.folder.filePath(QStringLiteral("a.png")), t.folder.path());
        EXPECT_EQ(t.host.fakePrompts.asked.size(), 1);
    }
}

TEST(PicturePicker, ServiceStartsInThePageFolderThenTheLastChosen)
{
    PickerTesting t;
    installPicturePicker(t.services);
    const QString sub = t.folder.filePath(QStringLiteral("sous"));
    QImage(4, 4, QImage::Format_RGB32).save(sub + QStringLiteral("/c.png"));
    QStringList folders;
    onDialog<TOuvrirFrm>([&folders, sub](TOuvrirFrm &dialog) {
        folders << dialog.folder();
        dialog.nameEdit()->setText(sub + QStringLiteral("/c.png"));
        dialog.okButton()->click();
    });
    EXPECT_EQ(t.services.pickPicture(nullptr, msg(3003)), sub + QStringLiteral("/c.png"));
    onDialog<TOuvrirFrm>([&folders](TOuvrirFrm &dialog) {
        folders << dialog.folder();
        dialog.cancelButton()->click();
    });
    EXPECT_EQ(t.services.pickPicture(nullptr, msg(3003)), QString());
    EXPECT_EQ(folders, (QStringList{t.folder.path(), sub}));
}

} // namespace

namespace {

using FramePicker = FrameFixture;

// The frame window's element dialogs browse pictures with the picker, which
// opens in the page's folder.
TEST_F(FramePicker, PictureBrowsesOpenThePickerInThePageFolder)
{
    writeFile(QStringLiteral("page.htm"), "<HTML>\r\n</HTML>\r\n");
    start();
    window->openFiles({path(QStringLiteral("page.htm"))});
    QString folder;
    onDialog<TOuvrirFrm>([&folder](TOuvrirFrm &dialog) {
        folder = dialog.folder();
        dialog.cancelButton()->click();
    });
    EXPECT_EQ(frameDialogServices(*window).pickPicture(nullptr, msg(3003)), QString());
    EXPECT_EQ(QFileInfo(folder).canonicalFilePath(), QDir(dir.path()).canonicalPath());
}

} // namespace
