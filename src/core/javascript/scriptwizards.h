#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class DocumentText;
class Prompts;
class UndoHistory;
struct EditorState;

// The six ready-made script effects of the JavaScript assistant. The
// functions themselves come from template files (the jscript folder beside
// the program) copied unchanged into the page's HEAD; the wizards write only
// the markup that calls them, at the caret, and for the banner and the clock
// the calls in the BODY tag's onLoad and onUnload attributes. Each wizard
// writes up to three undo steps: the visible part, the template, the BODY.

// Reads a template by its name inside the template folder ("ban1.scr") into
// lines; false when the file cannot be read.
using TemplateReader = std::function<bool(const QString &name, QStringList &lines)>;

// A template's bytes split into lines (any line-break style; a final line
// break adds no empty line).
QStringList TemplateLines(const QByteArray &bytes);
// Reads templates from folder; a missing file is false.
TemplateReader FolderTemplateReader(const QString &folder);

struct ScriptWizardContext
{
    DocumentText &text;
    UndoHistory &undo;
    EditorState &state;
    Prompts &prompts;
    TemplateReader readTemplate;
    // Shown in "Cannot open file %s" for a template that cannot be read.
    QString templateFolder;
};

// Makes a text safe inside a single-quoted JavaScript string that itself
// stands in a double-quoted HTML attribute or a SCRIPT block: both kinds of
// quote become a backslash and a single quote, a backslash is doubled and
// "</" is written "<\/".
QString EscapeQuotes(const QString &text);

// The name prefix followed by the smallest number from 1 that the page does
// not contain yet ("liste1", "listeimg2"); prefix + "1" when none is free.
int FreeNameNumber(const DocumentText &text, const QString &prefix);

// The banner's scrolling text, in a text box (ban1.scr) or on the status
// bar (ban2.scr).
struct BannerWizard
{
    QString text;
    bool statusBar = false;
    int width = 40;
    int delay = 100;
};

// The nine clock styles, time first; the index selects the template.
struct ClockStyle
{
    const char *name;
    const char *sample;
    const char *templateName;
    bool date;
};
const QList<ClockStyle> &ClockStyles();

struct ClockWizard
{
    // One of the styles' names, in any letter case; an unknown style loads
    // no template.
    QString style;
    bool date = false;
};

struct UrlEntry
{
    QString url;
    QString text;
};

struct UrlMenuWizard
{
    QList<UrlEntry> entries;
    // true: a drop-down menu with a title entry and an "OK" button that
    // refuses the title; false: a list box of `visible` lines.
    bool dropDown = true;
    QString title;
    int visible = 3;
};

struct GradientWizard
{
    QString text;
    QString font = QStringLiteral("Times New Roman");
    int size = 3;
    // 0 red, 1 green, 2 blue.
    int colour = 0;
};

struct PictureEntry
{
    QString file;
    QString text;
};

struct PictureListWizard
{
    QList<PictureEntry> entries;
    bool listView = false;
    int width = 320;
    int height = 240;
};

struct PictureLinkWizard
{
    // The link's start tag ("<A HREF=\"page.htm\">").
    QString linkTag;
    QString normalPicture;
    QString overPicture;
    // The normal picture's size; 0 when unknown (no WIDTH and HEIGHT).
    int width = 0;
    int height = 0;
};

// Each returns false when the dialog must stay open (a message told the
// user why); true once the wizard ran, even when a missing template or a
// BODY tag without its ">" stopped it half-way (the message says so).
// The banner and the gradient escape their texts in place, so that the
// dialog can show what was written.
bool WriteBanner(ScriptWizardContext &context, BannerWizard &wizard);
bool WriteClock(ScriptWizardContext &context, const ClockWizard &wizard);
bool WriteUrlMenu(ScriptWizardContext &context, const UrlMenuWizard &wizard);
bool WriteGradient(ScriptWizardContext &context, GradientWizard &wizard);
bool WritePictureList(ScriptWizardContext &context, const PictureListWizard &wizard);
bool WritePictureLink(ScriptWizardContext &context, const PictureLinkWizard &wizard);

// The size fields of the picture wizards: a negative or non-numeric text
// gives fallback.
int PictureSize(const QString &text, int fallback);
