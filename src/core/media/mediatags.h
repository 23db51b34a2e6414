#pragma once

#include "core/markup/tagpair.h"

#include "core/markup/colors.h"

#include <QString>
#include <QStringList>

class DocumentText;
class UndoHistory;
struct EditorState;

// Scrolling banners, Java applets, embedded objects and background sounds:
// the fields of their dialogs and the exact markup they make.

struct MarqueeFields
{
    int behavior = 0;  // "Déroulement", "Glissement", "Alternativement"
    int direction = 0; // "Vers la gauche", "Vers la droite"
    int align = 0;     // "Au haut", "Au milieu", "Au bas"
    QString scrollAmount = QStringLiteral("6");
    QString scrollDelay = QStringLiteral("16");
    QString loop;
    QString width;
    bool widthPercent = false;
    QString height;
    bool heightPercent = false;
    QString hspace;
    QString vspace;
    HtmlColor textColour = 0;
    HtmlColor backgroundColour = 0xC0C0C0;
};

// A number field's text as the dialog keeps it: a value that is not a
// number, is 0 or lies outside [min, max] is emptied (and so not written).
QString MarqueeNumber(const QString &text, int min, int max);

// "<MARQUEE ...>" and "</MARQUEE>", inside a FONT tag when the text colour
// is not black; a silver background is never written.
TagPair BuildMarquee(const MarqueeFields &fields);

struct AppletFields
{
    QString code;
    QString codeBase;
    QString alt;
    QString name;
    int align = 1; // bottom, middle, top, left, right, texttop, absmiddle, absbottom, baseline
    QString width = QStringLiteral("320");
    QString height = QStringLiteral("240");
    QString hspace;
    QString vspace;
    QStringList parameters; // "<PARAM NAME=... VALUE=...>" lines
};

// The nine ALIGN words of an applet, in the order of its alignment list.
const QStringList &AppletAlignWords();

// A parameter line: <PARAM NAME="name" VALUE="value">.
QString AppletParameter(const QString &name, const QString &value);
// The name and value of a parameter line (empty when absent).
QPair<QString, QString> ReadAppletParameter(const QString &line);

// The pieces the applet is written as: the start tag, CR LF, each
// parameter line indented by two blanks and ended by CR LF, "</APPLET>"
// and CR LF.
QStringList BuildApplet(const AppletFields &fields);

// An applet read back from its element text ("<APPLET" ... "</APPLET>").
AppletFields ReadApplet(const QString &elementText);

// The pieces that replace original, an applet being re-edited (empty or
// without its start tag: BuildApplet). Attributes the author did not change
// and those the dialog does not show (ARCHIVE, CLASS, ...) stay as written;
// with the parameter list unchanged the content stays byte for byte, else
// the new lines replace the old PARAM tags and the fallback content stays.
QStringList AppletPiecesToWrite(const QString &original, const AppletFields &fields);

struct EmbedFields
{
    QString source;
    QString border;
    QString width = QStringLiteral("145");
    QString height = QStringLiteral("60");
    int align = 0;   // "Au bas", "Au milieu", "Au haut"
    int palette = 0; // "Arrière-plan", "Avant-plan"
    bool loop = false;
    bool autoStart = false;
    bool hidden = false;
};

QString BuildEmbed(const EmbedFields &fields);
// <BGSOUND SRC="source" LOOP=repeat>; LOOP is always written.
QString BuildBackgroundSound(const QString &source, const QString &repeat);

// Writes pieces as one undo step: the first opens the step with kind, the
// others join it; all are remembered for repeating.
void InsertPieces(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &pieces, int kind);
