#include "core/textimport/textimport.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString NewPage = QStringLiteral("<HTML>\r\n<BODY>\r\n|</BODY>\r\n</HTML>");

struct ImportCase
{
    const char *name;
    const char *file;
    QByteArray content;
    ImportPosition position;
    bool breaks;
    QString expected;
    QString page = NewPage;
};

TEST(TextImport, InsertsTheLinesWhereAskedAsOneStep)
{
    const ImportCase cases[] = {
        {"txt gets <BR>", "a.txt", "un\r\ndeux\r\n", ImportPosition::Caret, true,
         "<HTML>\r\n<BODY>\r\nun<BR>\r\ndeux<BR>\r\n|</BODY>\r\n</HTML>"},
        {"TXT is not .txt", "a.TXT", "un\r\ndeux", ImportPosition::Caret, true,
         "<HTML>\r\n<BODY>\r\nun\r\ndeux\r\n|</BODY>\r\n</HTML>"},
        {"box unchecked", "a.txt", "un\ndeux", ImportPosition::Caret, false,
         "<HTML>\r\n<BODY>\r\nun\r\ndeux\r\n|</BODY>\r\n</HTML>"},
        {"html at the start", "b.htm", "<P>x</P>", ImportPosition::Start, true,
         "<P>x</P>\r\n|<HTML>\r\n<BODY>\r\n</BODY>\r\n</HTML>"},
        {"end lands before </HTML>", "b.html", "<P>fin</P>\r\n", ImportPosition::End, true,
         "<HTML>\r\n<BODY>\r\n</BODY>\r\n<P>fin</P>\r\n|</HTML>"},
        // A new page ends with a line break, and blank lines may follow.
        {"end of a page ending in a line break", "b.htm", "<P>fin</P>", ImportPosition::End, true,
         "<BODY>\r\n</BODY>\r\n<P>fin</P>\r\n|</HTML>\r\n \r\n", "<BODY>\r\n|</BODY>\r\n</HTML>\r\n \r\n"},
        {"Windows-1252 file", "c.htm", "caf\xE9", ImportPosition::Caret, true,
         "<HTML>\r\n<BODY>\r\ncafé\r\n|</BODY>\r\n</HTML>"},
    };
    for (const ImportCase &c : cases) {
        QTemporaryDir dir;
        QFile file(dir.filePath(QString::fromLatin1(c.file)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.content);
        file.close();
        MemoryText text;
        setMarked(text, c.page);
        UndoHistory undo(text);
        EditorState state;
        int lastProgress = -1;
        const ImportResult result =
            ImportFile(text, undo, state, file.fileName(), {c.position, c.breaks}, [&](int p) { lastProgress = p; });
        EXPECT_EQ(result, ImportResult::Inserted) << c.name;
        EXPECT_EQ(marked(text), c.expected) << c.name;
        EXPECT_EQ(lastProgress, 100) << c.name;
        undo.Undo();
        EXPECT_EQ(text.text(), QString(c.page).remove(u'|')) << c.name;
        EXPECT_FALSE(undo.CanUndo()) << c.name;
    }
}

TEST(TextImport, EmptyMissingAndBinaryFilesChangeNothing)
{
    QTemporaryDir dir;
    const struct
    {
        const char *file;
        const char *content; // null: no file
        qsizetype size;
        ImportResult result;
    } cases[] = {
        {"empty.txt", "", 0, ImportResult::Empty},
        {"missing.txt", nullptr, 0, ImportResult::Unreadable},
        {"picture.txt", "GIF89a\0\0\x01", 9, ImportResult::Unreadable},
    };
    for (const auto &c : cases) {
        const QString name = dir.filePath(QString::fromLatin1(c.file));
        if (c.content) {
            QFile file(name);
            file.open(QIODevice::WriteOnly);
            file.write(c.content, c.size);
        }
        MemoryText text;
        setMarked(text, NewPage);
        UndoHistory undo(text);
        EditorState state;
        EXPECT_EQ(ImportFile(text, undo, state, name, {}), c.result) << c.file;
        EXPECT_EQ(marked(text), NewPage) << c.file;
        EXPECT_FALSE(undo.CanUndo()) << c.file;
    }
}

} // namespace
