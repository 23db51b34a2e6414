#include "core/dialogs/linkedfile.h"

#include "core/messages/messages.h"
#include "support/fakeprompts.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(LinkedFile, RelativeNamesAreReadFromThePageFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir(QStringLiteral("img"));
    for (const char *name : {"a.htm", "img/b.gif"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString page = dir.filePath(QStringLiteral("index.htm"));
    const struct
    {
        QString name;
        bool exists;
    } cases[] = {
        {"a.htm", true},
        {"img\\b.gif", true},
        {dir.filePath(QStringLiteral("a.htm")), true},
        {"missing.htm", false},
        {"img", false}, // a folder is no file
        {"", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LinkedFileExists(c.name, page), c.exists) << qPrintable(c.name);
        FakePrompts prompts;
        prompts.answers = {Prompts::Answer::No};
        EXPECT_EQ(ConfirmLinkedFile(prompts, c.name, page), c.exists);
        EXPECT_EQ(prompts.asked, c.exists ? QStringList() : QStringList{msg(75)});
    }
    FakePrompts yes;
    yes.answers = {Prompts::Answer::Yes};
    EXPECT_TRUE(ConfirmLinkedFile(yes, QStringLiteral("missing.htm"), page));
}

} // namespace
