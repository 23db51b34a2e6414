#include "core/tagcommands/tagcommandrun.h"

#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "core/markup/colors.h"
#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/tagcommands/tagcommands.h"

namespace {

bool isHexDigits(QStringView text)
{
    for (const QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

} // namespace

bool runDirectTagCommand(DocumentHost &host, const TagCommand &command)
{
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo || !command.isDirect())
        return false;
    InsertTagPair(*text, *undo, host.editorState(), command.startText, command.endText, true, true, command.undoKind());
    host.UpdateCommandStates();
    return true;
}

// A selection counts as a colour code only when its six digits really are
// hexadecimal: an ordinary six-letter word, or a quoted one, is wrapped in a
// coloured FONT instead of being overwritten by digits.
ColourSelection classifyColourSelection(const QString &selected)
{
    const QStringView s(selected);
    if (s.size() == 7 && s.at(0) == u'#' && isHexDigits(s.mid(1)))
        return ColourSelection::HashCode;
    if (s.size() == 6 && isHexDigits(s))
        return ColourSelection::BareCode;
    if (s.size() == 9 && s.at(0) == u'"' && s.at(8) == u'"' && s.at(1) == u'#' && isHexDigits(s.mid(2, 6)))
        return ColourSelection::QuotedCode;
    return ColourSelection::Other;
}

quint32 initialColour(ColourSelection kind, const QString &selected, quint32 lastColour)
{
    switch (kind) {
    case ColourSelection::HashCode:
        return HtmlToColor(selected);
    case ColourSelection::BareCode:
        return HtmlToColor(u'#' + selected);
    case ColourSelection::QuotedCode:
        return HtmlToColor(selected.mid(1));
    case ColourSelection::Other:
        break;
    }
    return lastColour;
}

ColourEdit colourEdit(ColourSelection kind, quint32 colour)
{
    const QString code = ColorToHtml(colour);
    switch (kind) {
    case ColourSelection::HashCode:
        return {code, QString(), ukInsert};
    case ColourSelection::BareCode:
        return {code.mid(1), QString(), ukInsert};
    case ColourSelection::QuotedCode:
        return {u'"' + code + u'"', QString(), ukInsert};
    case ColourSelection::Other:
        break;
    }
    return {QStringLiteral("<FONT COLOR=\"") + code + QStringLiteral("\">"), QStringLiteral("</FONT>"), ukWrap};
}

bool ColourCommand::run(DocumentHost &host)
{
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return false;
    const QString selected = text->selectedText();
    const ColourSelection kind = classifyColourSelection(selected);
    quint32 chosen = 0;
    if (!m_chooser->chooseColour(initialColour(kind, selected, m_lastColour), chosen))
        return false;
    m_lastColour = chosen & 0xFFFFFFu;
    const ColourEdit edit = colourEdit(kind, m_lastColour);
    InsertTagPair(*text, *undo, host.editorState(), edit.startText, edit.endText, true, true, edit.kind);
    host.UpdateCommandStates();
    return true;
}
