#pragma once

#include "core/markup/colors.h"

#include <QString>

class DocumentText;
class Prompts;
class UndoHistory;
struct EditorState;

// Which browser's default page colours a new BODY tag starts from.
enum class BodyBrowser { Netscape, Explorer };

// The attributes of a page's BODY start tag, as the BODY dialog edits them.
struct BodyProperties
{
    QString background;
    HtmlColor backgroundColour = 0xFFFFFF;
    HtmlColor textColour = 0x000000;
    HtmlColor linkColour = 0x800000;        // #000080
    HtmlColor activeLinkColour = 0x0000FF;  // #FF0000
    HtmlColor visitedLinkColour = 0x800080; // #800080
    bool fixedBackground = false;
    QString leftMargin = QStringLiteral("10");
    QString topMargin = QStringLiteral("20");
    QString onLoad;
    QString onUnload;

    bool operator==(const BodyProperties &) const = default;
};

// The defaults of a new tag for a browser.
BodyProperties DefaultBodyProperties(BodyBrowser browser);

// Reads a BODY element text; attributes absent from it keep the defaults
// of a new tag (with the first browser's colours).
BodyProperties ReadBodyTag(const QString &elementText);

// The whole start tag: BACKGROUND when set, the five colours always,
// BGPROPERTIES=FIXED, the margins that differ from 10 and 20, the onLoad
// and onUnload calls that are set.
QString BuildBodyTag(const BodyProperties &body);

// Switching browser swaps each colour still at the other browser's default
// (background #C0C0C0 / #FFFFFF, link #0000FF / #000080); others stay.
void SwitchBodyBrowser(BodyProperties &body, BodyBrowser to);

// The tag that replaces original (the page's BODY start tag as written, or
// empty for a page without one): a page without one gets the whole tag of
// BuildBodyTag; otherwise only what the author changed is rewritten, and
// every other attribute (class, style, colour names, quoting) stays as the
// page had it, with no colour added that the page did not have.
QString BodyTagToWrite(const QString &original, const BodyProperties &body);

// The element the BODY command re-edits: the page's first BODY start tag,
// exactly as written (line breaks included); empty when there is none or it
// has no ">". A bare "<BODY>" reads as the defaults.
QString BodyElementToEdit(const DocumentText &text);

// Writes the tag for body into the page as one undo step. When the page
// already holds a BODY tag the user is asked (message 36) whether to
// replace it; No changes nothing and returns false. An old tag without its
// ">" cannot be selected: message 37, and a new tag goes to the caret.
bool WriteBodyTag(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts,
                  const BodyProperties &body);
