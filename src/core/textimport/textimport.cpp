#include "core/textimport/textimport.h"

#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/text/documenttext.h"
#include "core/text/pagefile.h"

#include <QFileInfo>

namespace {

// The page's last line that holds something: a page that ends with a line
// break ("</HTML>" CR LF, as every new page does) has an empty line after
// it, and the imported text belongs before "</HTML>", not after it.
int lastWrittenLine(const DocumentText &text)
{
    int line = std::max(0, text.lineCount() - 1);
    while (line > 0 && text.line(line).trimmed().isEmpty())
        --line;
    return line;
}

} // namespace

QStringList ImportLines(const QString &crlfText)
{
    if (crlfText.isEmpty())
        return {};
    QStringList lines = crlfText.split(QStringLiteral("\r\n"));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString ImportedText(const QStringList &lines, const QString &fileName, bool breaksForTextFiles,
                     const ImportProgress &progress)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const bool textFile = dot >= 0 && name.mid(dot) == QLatin1String(".txt");
    const bool breaks = breaksForTextFiles && textFile;
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (progress)
            progress(int(i * 100 / lines.size()));
        out += lines.at(i);
        if (breaks)
            out += QLatin1String("<BR>");
        out += QLatin1String("\r\n");
    }
    if (progress)
        progress(100);
    return out;
}

bool ImportLinesInto(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &lines,
                     const QString &fileName, const ImportOptions &options, const ImportProgress &progress)
{
    if (lines.isEmpty())
        return false;
    switch (options.position) {
    case ImportPosition::Start:
        text.setSelectionStart(0);
        text.setSelectionLength(0);
        break;
    case ImportPosition::End:
        text.setSelectionStart(text.lineStart(lastWrittenLine(text)));
        text.setSelectionLength(0);
        break;
    case ImportPosition::Caret:
        break;
    }
    InsertTagPair(text, undo, state, ImportedText(lines, fileName, options.breaksForTextFiles, progress), QString(),
                  true, true, ukInsert);
    return true;
}

ImportResult ImportFile(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &fileName,
                        const ImportOptions &options, const ImportProgress &progress)
{
    const std::optional<LoadedPage> page = loadPage(fileName);
    if (!page)
        return ImportResult::Unreadable;
    return ImportLinesInto(text, undo, state, ImportLines(page->text), fileName, options, progress)
               ? ImportResult::Inserted
               : ImportResult::Empty;
}
