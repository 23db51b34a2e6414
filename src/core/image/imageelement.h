#pragma once

#include "core/dialogs/eventcalls.h"

#include <QString>

// The image element: the fields of the image dialog, the reader that fills
// them from a selected IMG (or form-image INPUT) tag and the writer of the
// tag. Field texts are kept as the author typed them; the writer decides
// what goes out.

// The alignment menu's items, in menu order; Bottom writes no ALIGN.
enum class ImageAlign { Bottom, Middle, Top, Left, Right, TextTop, AbsMiddle, AbsBottom, Baseline };

// The ALIGN value of an item ("absmiddle"); empty for Bottom.
QString ImageAlignWord(ImageAlign align);

// The clip a browser may play in place of the picture.
struct ImageVideo
{
    QString source; // empty: no clip
    int loop = 1;   // -1: endless
    bool controls = false;
    bool startOnMouseOver = false;
};

struct ImageProperties
{
    QString source;    // SRC
    QString lowSource; // LOWSRC, the quick picture shown first
    QString alt;
    QString name;
    QString border = QStringLiteral("0");
    QString width = QStringLiteral("0"); // "0": not written
    QString height = QStringLiteral("0");
    QString vspace;
    QString hspace;
    bool isMap = false;
    ImageAlign align = ImageAlign::Bottom;
    ImageVideo video;
    EventCalls events; // onLoad, onAbort, onError
};

// Fields read from the first IMG (or INPUT) start tag of an element text,
// through the shared tag reader. Absent BORDER, WIDTH and HEIGHT read "0";
// a clip without LOOP plays once.
ImageProperties ReadImageElement(const QString &elementText);

// The IMG tag, or with formImage the INPUT tag of TYPE "image" (which
// carries no clip and no ISMAP). BORDER is always written; WIDTH and
// HEIGHT unless "0" or empty; NAME through MakeIdentifier; a double quote
// inside a quoted value is written as &quot; so the tag stays whole.
QString BuildImageTag(const ImageProperties &properties, bool formImage);

// The tag that replaces the IMG (or INPUT) start tag in original, a selected
// element being re-edited: only the attributes whose fields the author
// changed are rewritten; the others, and every attribute the dialog does not
// show (TITLE, CLASS, STYLE, USEMAP, onClick, ALT=""), stay as written.
// Without a tag in original, the tag of BuildImageTag.
QString ImageTagToWrite(const QString &original, const ImageProperties &properties, bool formImage);

// Field rules of the dialog, applied when the author leaves a field.
// Border: a whole number of at least 0 stays, anything else is "0".
QString BorderFieldText(const QString &text);
// Width or height: a percentage stays; a text that is no number of at
// least 0 goes back to the picture's own size; above 9999 is "9999".
QString SizeFieldText(const QString &text, int pictureSize);
// Vertical or horizontal space: 0 or a text that is no number is emptied.
QString SpaceFieldText(const QString &text);

// The quick image's tag for a picture of the given size. A size that could
// not be read (0) leaves WIDTH and HEIGHT out rather than writing them
// empty.
QString QuickImageTag(const QString &relativePath, int width, int height);
