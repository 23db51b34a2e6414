#include "core/dialogs/headelements.h"
#include "core/attributes/starttag.h"

#include "core/markup/elementselection.h"
#include "core/markup/identifiers.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"

#include <algorithm>

namespace {

const QString TitleStart = QStringLiteral("<TITLE>");
const QString TitleEnd = QStringLiteral("</TITLE>");
const QString HeadEnd = QStringLiteral("</HEAD>");

QString quoted(const QString &value)
{
    return QuotedValue(value);
}

// Puts the user's selection back after text was replaced at [from, to) by
// `inserted` characters: positions after the change move with the text,
// positions inside it are kept inside.
void restoreSelection(DocumentText &text, int start, int length, int from, int to, int inserted)
{
    const auto moved = [&](int position) {
        if (from == to) // a pure insertion goes in front of a position there
            return position >= from ? position + inserted : position;
        if (position <= from)
            return position;
        if (position >= to)
            return position + inserted - (to - from);
        return std::min(position, from + inserted);
    };
    const int newStart = moved(start);
    const int newEnd = std::max(newStart, moved(start + length));
    text.select(newStart, newEnd - newStart);
}

} // namespace

QString ReadTitle(const DocumentText &text, bool *hasTitle)
{
    const QString element = ExtractElementText(text, TitleStart, TitleEnd);
    if (hasTitle)
        *hasTitle = !element.isEmpty();
    if (element.size() < TitleStart.size() + TitleEnd.size())
        return QString();
    return element.mid(TitleStart.size(), element.size() - TitleStart.size() - TitleEnd.size());
}

void WriteTitle(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &title)
{
    const int start = text.selectionStart();
    const int length = text.selectionLength();
    bool hasTitle = false;
    // A title confirmed as it was read (a title over two lines reads joined
    // by a blank) stays as the page wrote it.
    if (ReadTitle(text, &hasTitle) == title && hasTitle)
        return;
    if (hasTitle && SelectElement(text, TitleStart, TitleEnd, false)) {
        const int from = text.selectionStart();
        const int to = from + text.selectionLength();
        InsertTagPair(text, undo, state, title, QString(), true, true, ukInsert);
        restoreSelection(text, start, length, from, to, int(title.size()));
        return;
    }
    if (!MoveCaretToTag(text, HeadEnd, true))
        text.setSelectionStart(start);
    const int at = text.selectionStart();
    const QString element = TitleStart + title + TitleEnd;
    InsertTagPair(text, undo, state, element, QString(), true, true, ukWrap);
    restoreSelection(text, start, length, at, at, int(element.size()));
}

const QStringList &MetaPresetCaptions()
{
    static const QStringList captions = {
        QStringLiteral("-----"),  QStringLiteral("Refresh"),  QStringLiteral("Ext-Cache"),
        QStringLiteral("Author"), QStringLiteral("Reply-to"), QStringLiteral("Keywords"),
    };
    return captions;
}

QString MetaPresetEquiv(int preset)
{
    switch (preset) {
    case MetaRefresh:
        return QStringLiteral("Refresh");
    case MetaExtCache:
        return QStringLiteral("Ext-cache");
    case MetaAuthor:
    case MetaReplyTo:
    case MetaKeywords:
        return MetaPresetCaptions().at(preset);
    default:
        return QString();
    }
}

QString MetaPresetContent(int preset)
{
    return preset == MetaExtCache ? QStringLiteral("name=") : QString();
}

MetaFieldsShown MetaFieldsFor(int preset)
{
    MetaFieldsShown shown;
    switch (preset) {
    case MetaNone:
        shown.name = shown.url = true;
        break;
    case MetaRefresh:
        shown.delay = shown.contentBrowse = true;
        break;
    case MetaExtCache:
        shown.name = shown.instructions = true;
        break;
    default:
        break;
    }
    return shown;
}

int ClampMetaDelay(int delay)
{
    return std::max(delay, 1);
}

bool HeadFields::isEmpty() const
{
    return baseUrl.isEmpty() && metaEquiv.isEmpty() && link.isEmpty() && indexAction.isEmpty();
}

QStringList HeadElements(const HeadFields &f)
{
    const QString end = QStringLiteral(">\r\n");
    QStringList elements;
    if (!f.baseUrl.isEmpty()) {
        QString base = QStringLiteral("<BASE HREF=") + quoted(f.baseUrl);
        if (!f.baseTarget.isEmpty())
            base += QStringLiteral(" TARGET=") + quoted(MakeIdentifier(f.baseTarget));
        elements << base + end;
    }
    if (!f.metaEquiv.isEmpty()) {
        QString meta = QStringLiteral("<META HTTP-EQUIV=") + quoted(f.metaEquiv);
        const bool content = !f.metaContent.isEmpty();
        switch (f.metaPreset) {
        case MetaNone:
            if (!f.metaName.isEmpty())
                meta += QStringLiteral(" NAME=") + quoted(f.metaName);
            if (content)
                meta += QStringLiteral(" CONTENT=") + quoted(f.metaContent);
            if (!f.metaUrl.isEmpty())
                meta += QStringLiteral(" URL=") + quoted(f.metaUrl);
            break;
        case MetaRefresh:
            if (content)
                meta += QStringLiteral(" CONTENT=")
                        + quoted(QString::number(ClampMetaDelay(f.delay)) + QStringLiteral(";URL=") + f.metaContent);
            break;
        case MetaExtCache:
            if (content)
                meta +=
                    QStringLiteral(" CONTENT=") + quoted(f.metaContent + QStringLiteral(";instructions=") + f.metaName);
            break;
        default:
            if (content)
                meta += QStringLiteral(" CONTENT=") + quoted(f.metaContent);
            break;
        }
        elements << meta + end;
    }
    if (!f.indexAction.isEmpty()) {
        QString index = QStringLiteral("<ISINDEX ACTION=") + quoted(f.indexAction);
        if (!f.indexPrompt.isEmpty())
            index += QStringLiteral(" PROMPT=") + quoted(f.indexPrompt);
        elements << index + end;
    }
    if (!f.link.isEmpty()) {
        QString link = QStringLiteral("<LINK HREF=") + quoted(f.link);
        if (!f.relation.isEmpty())
            link += QStringLiteral(" REL=") + BareValue(f.relation);
        if (!f.reverseRelation.isEmpty())
            link += QStringLiteral(" REV=") + BareValue(f.reverseRelation);
        elements << link + end;
    }
    return elements;
}

void InsertHeadElements(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts,
                        const HeadFields &fields)
{
    const QStringList elements = HeadElements(fields);
    if (elements.isEmpty())
        return;
    if (DocumentContains(text, QStringLiteral("<HEAD")) && DocumentContains(text, HeadEnd) && prompts.askYesNo(msg(56)))
        MoveCaretToTag(text, HeadEnd, true);
    for (const QString &element : elements)
        InsertTagPair(text, undo, state, element, QString(), true, true, ukInsert);
}
