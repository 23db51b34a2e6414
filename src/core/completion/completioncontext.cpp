#include "core/completion/completioncontext.h"

#include "core/completion/tagcatalog.h"
#include "core/completion/tagscan.h"
#include "core/highlight/htmllexer.h"
#include "core/text/documenttext.h"
#include "core/text/linestore.h"
#include "core/undo/undohistory.h"

namespace {

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u':'
           || c == u'_';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Only where a "<" opens a tag: not in a comment, a script, a quoted value.
bool opensTag(const LineStore &lines, int line, int column)
{
    return htmllex::placeOf(tagscan::stateBefore(lines, line, column)) == htmllex::Place::Text;
}

// The last tag name before column of line, when it is a start tag's.
std::optional<tagscan::TagMark> enclosingStartTag(const LineStore &lines, int line, int column)
{
    // The tag holding the caret began at the last "<" before it.
    for (int l = line, c = column, budget = 64; l >= 0 && budget > 0; --l, --budget) {
        const QString &text = lines.line(l);
        const qsizetype lt = c < 0 ? text.lastIndexOf(u'<') : (c > 0 ? text.lastIndexOf(u'<', c - 1) : -1);
        if (lt >= 0) {
            const auto mark = tagscan::tagNameAt(lines, l, int(lt) + 1);
            if (mark && !mark->end)
                return mark;
            return std::nullopt;
        }
        c = -1;
    }
    return std::nullopt;
}

} // namespace

CompletionContext completionContext(const LineStore &lines, int line, int column)
{
    CompletionContext context;
    if (line < 0 || line >= lines.lineCount() || column < 0 || column > lines.lineLength(line))
        return context;
    const QString &text = lines.line(line);
    int start = column;
    while (start > 0 && isNameChar(text.at(start - 1)) && column - start < 256)
        --start;
    const QString word = text.mid(start, column - start);
    if (!word.isEmpty() && !isLetter(word.at(0)))
        return context;

    if (start >= 2 && text.at(start - 1) == u'/' && text.at(start - 2) == u'<') {
        // In a script or style block only its own end tag ends it: offered
        // there too.
        const auto place = htmllex::placeOf(tagscan::stateBefore(lines, line, start - 2));
        if (place != htmllex::Place::Text && place != htmllex::Place::Raw)
            return context;
        const auto open = tagscan::innermostOpenElement(lines, line, start - 2);
        if (!open)
            return context;
        context.element = tagscan::nameOf(lines, *open);
        context.kind = CompletionContext::EndTag;
    } else if (start >= 1 && text.at(start - 1) == u'<') {
        if (word.isEmpty() || !opensTag(lines, line, start - 1))
            return context;
        context.kind = CompletionContext::ElementName;
    } else {
        // After a blank, or at the start of a line the tag goes on over.
        if (start > 0 && !isBlank(text.at(start - 1)))
            return context;
        if (htmllex::placeOf(tagscan::stateBefore(lines, line, start)) != htmllex::Place::BetweenAttributes)
            return context;
        const auto tag = enclosingStartTag(lines, line, start);
        if (!tag)
            return context;
        context.element = tagscan::nameOf(lines, *tag);
        context.kind = CompletionContext::AttributeName;
    }
    context.prefixColumn = start;
    context.prefix = word;
    return context;
}

QStringList completionCandidates(const TagCatalog &catalog, const CompletionContext &context)
{
    switch (context.kind) {
    case CompletionContext::ElementName:
        return catalog.elementsStartingWith(context.prefix);
    case CompletionContext::AttributeName:
        return catalog.attributesStartingWith(context.element, context.prefix);
    case CompletionContext::EndTag:
        if (context.element.startsWith(context.prefix, Qt::CaseInsensitive))
            return {context.element.toUpper() + u'>'};
        return {};
    case CompletionContext::None:
        break;
    }
    return {};
}

void acceptCompletion(DocumentText &text, UndoHistory &history, int prefixLength, const QString &accepted)
{
    if (text.selectionLength() > 0)
        text.setSelectionLength(0);
    const int caret = text.selectionStart();
    const int start = caret - prefixLength;
    if (start < 0 || text.lineFromPosition(start) != text.lineFromPosition(caret))
        return;
    UndoRecord *current = history.current();
    const bool typing = history.runKind == runInsertTyping || history.runKind == runOverwriteTyping;
    const bool merge = typing && history.CanUndo() && current && current->kind == ukInsert
                       && current->pos1 + int(current->text1.size()) == caret && current->text1.size() >= prefixLength;
    text.select(start, prefixLength);
    if (merge) {
        const QString typed = current->text1;
        current->text1.chop(prefixLength);
        current->text1 += accepted;
        // A page at its greatest length keeps what was typed, and the
        // step keeps saying so.
        if (!text.replaceSelection(accepted))
            current->text1 = typed;
    } else {
        history.RecordUndoStep(ukInsert, accepted);
        text.replaceSelection(accepted);
    }
}
