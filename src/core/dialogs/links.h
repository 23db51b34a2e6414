#pragma once

#include <QString>
#include <QStringList>

class DocumentText;
class UndoHistory;
struct EditorState;

// Anchors: the external and internal link dialogs' output, the protocols
// and target presets they offer, the destinations they read from pages.

// "-----", "http", "afs", "ftp", "file", "newsrc", "nntp", "gopher",
// "mailto", "news", "telnet", "wais".
const QStringList &LinkProtocols();
// What a protocol puts in front of an address ("http://", "mailto:"); empty
// for "-----" and unknown items.
QString ProtocolPrefix(int item);
// Items of the protocols whose browse button writes the chosen file.
constexpr int ProtocolNone = 0;
constexpr int ProtocolFile = 4;

// The protocol choice of the external link dialog: choosing a protocol
// takes the previous protocol's prefix off the address and puts the new one
// in front; "-----" only takes the prefix off and is not remembered.
class ProtocolChoice
{
public:
    QString choose(const QString &address, int item);
    int previous() const { return m_previous; }

private:
    int m_previous = -1;
};

// The five target presets ("Aucune", "_blank", "_self", "_parent", "_top"):
// the text each puts in the target field.
QString TargetPreset(int item);
// The presets' captions in the dialogs.
const QStringList &TargetPresetCaptions();

// The file a link designates when it is local ("-----" or "file"); empty for
// other protocols.
QString LocalLinkFile(const QString &address, int protocol);

// Whether a browsed file's destinations can be listed: ".html", ".htm",
// ".txt" in any letter case.
bool IsPreviewableFile(const QString &fileName);

// The NAMEs of a page's anchors ("<A NAME=" with any blanks, a double
// quote, the name up to the next double quote), in page order, in their
// own letter case. Empty names are left out.
QStringList ReadDestinations(const QString &pageText);

struct ExternalLink
{
    QString address;
    QString destination; // inside the linked page, without "#"
    QString name;        // NAME attribute, made an identifier
    QString target;      // TARGET attribute, made an identifier
    QString events;      // event attributes, " onMouseOver=..." etc.
};

// "<A HREF="address#destination" NAME="..." TARGET="..." events>".
QString ExternalLinkStartTag(const ExternalLink &link);
// The address an image map area takes: address and "#destination".
QString ExternalLinkAddress(const ExternalLink &link);

// "<A HREF="#destination" NAME="..." events>" for a destination inside the
// page (the destination as typed).
QString InternalLinkStartTag(const QString &destination, const QString &name, const QString &events);

// "<A NAME="name"></A>" wrapped around a line's text as its own undo step;
// the selection is kept on the same text (moved or grown by the anchor when
// the line lies before or inside it).
void CreateAnchor(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &name, int line);

// What the external link dialog shows of the page an address names.
struct LinkPreview
{
    enum Kind {
        Nothing, // not a local link, or no such file
        Unknown, // a picture or a file of unknown type: message 31
        Page,    // an HTML or text file: its text and its destinations
    };
    Kind kind = Nothing;
    QString text;
    QStringList destinations;
};

// Reads the local file an address names (relative names from the page's
// folder).
LinkPreview PreviewLinkedFile(const QString &address, int protocol, const QString &documentFileName);
