#pragma once

#include <QString>
#include <QStringList>

class DocumentText;
class Prompts;
class UndoHistory;
struct EditorState;

// The page title and the elements of the HEAD section (BASE, META, ISINDEX,
// LINK).

// The page's title, the content of its first TITLE element, lines joined by
// one blank; empty when the page has none. hasTitle tells the two apart.
QString ReadTitle(const DocumentText &text, bool *hasTitle = nullptr);

// Replaces the content of the page's TITLE element by title, or, without
// one, inserts "<TITLE>title</TITLE>" before "</HEAD>" (at the selection's
// start when the page has no "</HEAD>"); one undo step. The user's
// selection stays on the same text.
void WriteTitle(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &title);

// Items of the META presets group.
enum MetaPreset { MetaNone, MetaRefresh, MetaExtCache, MetaAuthor, MetaReplyTo, MetaKeywords };
const QStringList &MetaPresetCaptions();
// What a preset puts in "Méta-Informations:" ("Refresh", "Ext-cache" ...).
QString MetaPresetEquiv(int preset);
// The content a preset starts with ("name=" for Ext-Cache).
QString MetaPresetContent(int preset);

// Which META fields a preset shows.
struct MetaFieldsShown
{
    bool name = false;         // "Nom:" (or "Instructions:")
    bool instructions = false; // the name field captioned "Instructions:"
    bool url = false;          // "URL:" with its browse button
    bool delay = false;        // "Délai:"
    bool contentBrowse = false;
};
MetaFieldsShown MetaFieldsFor(int preset);

// The delay never goes below 1.
int ClampMetaDelay(int delay);

struct HeadFields
{
    QString baseUrl;
    QString baseTarget;
    int metaPreset = MetaNone;
    QString metaEquiv;
    QString metaContent;
    QString metaName; // or the Ext-Cache instructions
    QString metaUrl;
    int delay = 20;
    QString link;
    QString relation;
    QString reverseRelation;
    QString indexAction;
    QString indexPrompt;

    // Nothing to write: no base URL, META, link or index action.
    bool isEmpty() const;
};

// The elements the fields make, in the order they are inserted (BASE, META,
// ISINDEX, LINK), each ending with ">" and CR LF.
QStringList HeadElements(const HeadFields &fields);

// Inserts the elements, each as its own undo step, one after the other: in
// the HEAD section when the page has one and the user agrees (message 56),
// at the caret otherwise.
void InsertHeadElements(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts,
                        const HeadFields &fields);
