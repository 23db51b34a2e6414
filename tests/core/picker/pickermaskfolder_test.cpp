#include "core/picker/pickerrules.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A mask typed after a folder ("photos/*.gif") moves the picker into that
// folder and leaves the folder part in the field; a name typed after it must
// then still name the file in that folder.
TEST(PickerMaskFolder, NameTypedAfterTheKeptFolderPartIsFound)
{
    QTemporaryDir temp;
    const QString root = temp.path();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("photos/2020")));
    for (const char *file : {"photos/a.gif", "photos/2020/b.gif"}) {
        QFile f(root + u'/' + QString::fromUtf8(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const struct
    {
        const char *mask;
        const char *name;
        const char *file; // below root
    } cases[] = {
        {"photos/*.gif", "a.gif", "photos/a.gif"},
        {"photos\\2020\\*.*", "b.gif", "photos/2020/b.gif"},
        {"./photos/../photos/*.gif", "a.gif", "photos/a.gif"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mask);
        const NameFieldOutcome mask = interpretNameField(QString::fromUtf8(c.mask), root);
        ASSERT_EQ(mask.kind, NameFieldOutcome::Kind::SetMask);
        ASSERT_FALSE(mask.folder.isEmpty());
        const NameFieldOutcome chosen = interpretNameField(mask.fieldText + QString::fromUtf8(c.name), mask.folder);
        EXPECT_EQ(chosen.kind, NameFieldOutcome::Kind::ChooseFile);
        EXPECT_EQ(chosen.file, root + u'/' + QString::fromUtf8(c.file));
    }
}

} // namespace
