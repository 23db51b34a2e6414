#include "core/messages/messages.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/picker/picturepicker.h"

#include <QFileSystemModel>
#include <QImage>
#include <QListView>

#include <gtest/gtest.h>

namespace {

// The names the file list shows, in its order.
QStringList listedNames(const TOuvrirFrm &dialog)
{
    const QAbstractItemModel *model = dialog.fileList()->model();
    const QModelIndex root = dialog.fileList()->rootIndex();
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row)
        names << model->index(row, 0, root).data().toString();
    return names;
}

// Walking into a folder and back, by typing its name or by the tree, must
// leave only files in the list and in the count: a folder once visited is
// no picture.
TEST(PickerFolderList, FoldersVisitedNeverShowAsFiles)
{
    const struct
    {
        const char *into;
        const char *back;
    } walks[] = {
        {"sous", ".."},
        {"sous/deeper", "../.."},
    };
    for (const auto &walk : walks) {
        SCOPED_TRACE(walk.into);
        DialogTesting t;
        QImage(8, 8, QImage::Format_RGB32).save(t.folder.filePath(QStringLiteral("a.png")));
        QDir(t.folder.path()).mkpath(QStringLiteral("sous/deeper"));
        QImage(8, 8, QImage::Format_RGB32).save(t.folder.filePath(QStringLiteral("sous/deeper/b.png")));
        TOuvrirFrm dialog(t.services, QStringLiteral("Tous les fichiers (*.*) |*.*"), t.folder.path());
        dialog.show();
        for (const char *typed : {walk.into, walk.back}) {
            dialog.nameEdit()->setText(QString::fromUtf8(typed));
            QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
        }
        ASSERT_EQ(dialog.folder(), t.folder.path());
        const QStringList onlyFile{QStringLiteral("a.png")};
        EXPECT_TRUE(QTest::qWaitFor([&dialog, &onlyFile] { return listedNames(dialog) == onlyFile; }))
            << qPrintable(listedNames(dialog).join(u' '));
        // The file system watcher may report late: the list stays clean.
        QTest::qWait(300);
        EXPECT_EQ(listedNames(dialog), onlyFile);
        EXPECT_EQ(dialog.fileCount(), 1);
        EXPECT_EQ(dialog.statusLabel()->text(), QStringLiteral("1") + msg(7746));
    }
}

} // namespace
