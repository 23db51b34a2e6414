#include "core/javascript/scriptwizards.h"

#include "core/markup/editorstate.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"

#include <QDir>
#include <QFile>

namespace {

const QString crlf = QStringLiteral("\r\n");
const QChar Q = QLatin1Char('"');

const QString versionHeader = QStringLiteral("VersionNavigateur(Netscape, Explorer)");
const QString gradientHeader = QStringLiteral("degrade(texte, taille, police, RGB)");

// Names are numbered below this bound.
constexpr int NameNumberLimit = 32767;

QString quoted(const QString &value)
{
    return Q + value + Q;
}

void put(ScriptWizardContext &c, const QString &piece, bool newStep, UndoKind kind = ukInsert)
{
    InsertTagPair(c.text, c.undo, c.state, piece, QString(), newStep, true, kind);
}

// Copies a template into the page at the caret as one new step; an empty
// template writes nothing. False (after saying so) when it cannot be read.
bool loadTemplate(ScriptWizardContext &c, const QString &name)
{
    QStringList lines;
    if (!c.readTemplate || !c.readTemplate(name, lines)) {
        c.prompts.error(QStringLiteral("Cannot open file %1").arg(QDir(c.templateFolder).filePath(name)));
        return false;
    }
    if (lines.isEmpty())
        return true;
    put(c, lines.join(crlf) + crlf, true);
    return true;
}

bool loadTemplateIntoHead(ScriptWizardContext &c, const QString &name)
{
    MoveCaretToTag(c.text, QStringLiteral("</HEAD>"), true);
    return loadTemplate(c, name);
}

// The calls go into the BODY tag: the load code in front of an existing
// onLoad's code (or a new onLoad attribute), likewise for onUnload.
void addBodyCalls(ScriptWizardContext &c, const QString &load, const QString &defaultLoad, const QString &unload,
                  const QString &defaultUnload)
{
    const QString bodyMarker = QStringLiteral("<BODY");
    if (!DocumentContains(c.text, bodyMarker))
        return;
    QString body = ExtractElementText(c.text, bodyMarker, QStringLiteral(">"));
    if (body.isEmpty() || !SelectElement(c.text, bodyMarker, QStringLiteral(">"), true)) {
        c.prompts.error(msg(69));
        return;
    }
    body.chop(1);
    const int onLoad = body.toUpper().indexOf(QStringLiteral("ONLOAD=") + Q);
    if (onLoad >= 0)
        body.insert(onLoad + 8, load);
    else
        body += defaultLoad;
    const int onUnload = body.toUpper().indexOf(QStringLiteral("ONUNLOAD=") + Q);
    if (onUnload >= 0)
        body.insert(onUnload + 10, unload);
    else
        body += defaultUnload;
    put(c, body + QLatin1Char('>'), true, ukReplace);
}

void insertVersionFunction(ScriptWizardContext &c)
{
    if (!DocumentContains(c.text, versionHeader))
        loadTemplateIntoHead(c, QStringLiteral("version.scr"));
}

} // namespace

QStringList TemplateLines(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    text.replace(crlf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

TemplateReader FolderTemplateReader(const QString &folder)
{
    return [folder](const QString &name, QStringList &lines) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return false;
        lines = TemplateLines(file.readAll());
        return true;
    };
}

QString EscapeQuotes(const QString &text)
{
    QString result;
    result.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('"') || ch == QLatin1Char('\''))
            result += QStringLiteral("\\'");
        else if (ch == QLatin1Char('\\'))
            result += QStringLiteral("\\\\");
        else if (ch == QLatin1Char('/') && i > 0 && text.at(i - 1) == QLatin1Char('<'))
            result += QStringLiteral("\\/");
        else
            result += ch;
    }
    return result;
}

int FreeNameNumber(const DocumentText &text, const QString &prefix)
{
    for (int n = 1; n < NameNumberLimit; ++n) {
        if (!DocumentContains(text, prefix + QString::number(n)))
            return n;
    }
    return 1;
}

const QList<ClockStyle> &ClockStyles()
{
    static const QList<ClockStyle> styles = {
        {"HH:MM:SS", "12:00:00", "temps1.scr", false},
        {"HH:MM", "12:00", "temps2.scr", false},
        {"HH H MM", "12 h 00", "temps3.scr", false},
        {"HH HEURE MM", "12 heure 00", "temps4.scr", false},
        {"JJ MOIS AAAA", "31 janvier 1997", "date1.scr", true},
        {"JJ/MM/AA", "31/01/97", "date2.scr", true},
        {"AA/MM/JJ", "97/01/31", "date3.scr", true},
        {"JJ-MM-AA", "31-01-97", "date4.scr", true},
        {"AA-MM-JJ", "97-01-31", "date5.scr", true},
    };
    return styles;
}

bool WriteBanner(ScriptWizardContext &c, BannerWizard &w)
{
    w.text = EscapeQuotes(w.text);
    if (!w.statusBar) {
        put(c, QStringLiteral("<FORM NAME=") + quoted(QStringLiteral("formban")) + QLatin1Char('>') + crlf, true);
        put(c,
            QStringLiteral("<INPUT TYPE=") + quoted(QStringLiteral("text")) + QStringLiteral(" NAME=")
                + quoted(QStringLiteral("Fbanniere")) + QStringLiteral(" SIZE=") + quoted(QString::number(w.width))
                + QStringLiteral("><BR>") + crlf,
            false);
        put(c, QStringLiteral("</FORM>") + crlf, false);
    }
    if (!loadTemplateIntoHead(c, w.statusBar ? QStringLiteral("ban2.scr") : QStringLiteral("ban1.scr")))
        return true;
    const QString call = QStringLiteral("Msg='") + w.text + QStringLiteral("'; banniere(") + QString::number(w.delay)
                         + QStringLiteral(");");
    addBodyCalls(c, call, QStringLiteral(" onLoad=") + quoted(call), QStringLiteral("clearTimeout(ban);"),
                 QStringLiteral(" onUnload=") + quoted(QStringLiteral("clearTimeout(ban)")));
    return true;
}

bool WriteClock(ScriptWizardContext &c, const ClockWizard &w)
{
    const QString style = w.style.toUpper();
    const QString form = w.date ? QStringLiteral("Temps2") : QStringLiteral("Temps1");
    const QString field = w.date ? QStringLiteral("date") : QStringLiteral("heure");
    const bool shortStyle = style.size() < (w.date ? 9 : 8);
    const QString size = w.date ? (shortStyle ? QStringLiteral("10") : QStringLiteral("18"))
                                : (shortStyle ? QStringLiteral("9") : QStringLiteral("12"));
    put(c, QStringLiteral("<FORM NAME=") + quoted(form) + QLatin1Char('>') + crlf, true);
    put(c,
        QStringLiteral("<INPUT TYPE=") + quoted(QStringLiteral("text")) + QStringLiteral(" NAME=") + quoted(field)
            + QStringLiteral(" SIZE=") + quoted(size) + QStringLiteral("><BR>") + (shortStyle ? crlf : QString()),
        false);
    put(c, QStringLiteral("</FORM>") + crlf, false);

    MoveCaretToTag(c.text, QStringLiteral("</HEAD>"), true);
    for (const ClockStyle &s : ClockStyles()) {
        if (style == QLatin1String(s.name)) {
            if (!loadTemplate(c, QLatin1String(s.templateName)))
                return true;
            break;
        }
    }
    const QString load = w.date ? QStringLiteral("debuteDate(10000)") : QStringLiteral("debuteTemps(1000)");
    addBodyCalls(c, load + QLatin1Char(';'), QStringLiteral(" onLoad=") + quoted(load),
                 QStringLiteral("clearTimeout(dd);"),
                 QStringLiteral(" onUnload=") + quoted(QStringLiteral("clearTimeout(dd)")));
    return true;
}

bool WriteUrlMenu(ScriptWizardContext &c, const UrlMenuWizard &w)
{
    if (w.entries.isEmpty())
        return true;
    const QString name = QStringLiteral("liste") + QString::number(FreeNameNumber(c.text, QStringLiteral("liste")));
    const QString selected = QStringLiteral("form.") + name + QStringLiteral(".selectedIndex");
    put(c, QStringLiteral("<FORM>") + crlf, true);
    if (w.dropDown) {
        put(c, QStringLiteral("<SELECT NAME=") + quoted(name) + QStringLiteral(" SIZE=1>") + crlf, false);
        put(c, QStringLiteral("  <OPTION SELECTED VALUE=") + quoted(QString()) + QLatin1Char('>') + w.title + crlf,
            false);
        for (const UrlEntry &e : w.entries)
            put(c, QStringLiteral("  <OPTION VALUE=") + quoted(e.url) + QLatin1Char('>') + e.text + crlf, false);
        put(c, QStringLiteral("</SELECT>") + crlf, false);
        put(c,
            QStringLiteral("<INPUT TYPE=") + quoted(QStringLiteral("button")) + QStringLiteral(" VALUE=")
                + quoted(QStringLiteral("OK")) + QStringLiteral(" onClick=") + Q + QStringLiteral("if (") + selected
                + QStringLiteral(" != 0) location = form.") + name + QStringLiteral(".options[") + selected
                + QStringLiteral("].value; else alert(") + msg(7722) + QLatin1Char(')') + Q + QLatin1Char('>') + crlf,
            false);
    } else {
        put(c,
            QStringLiteral("<SELECT NAME=") + quoted(name) + QStringLiteral(" SIZE=") + QString::number(w.visible)
                + QLatin1Char('>') + crlf,
            false);
        bool first = true;
        for (const UrlEntry &e : w.entries) {
            put(c,
                QStringLiteral("  <OPTION VALUE=") + quoted(e.url)
                    + (first ? QStringLiteral(" SELECTED>") : QStringLiteral(">")) + e.text + crlf,
                false);
            first = false;
        }
        put(c, QStringLiteral("</SELECT>") + crlf, false);
        put(c, QStringLiteral("<BR><BR>") + crlf, false);
        put(c,
            QStringLiteral("<INPUT TYPE=") + quoted(QStringLiteral("button")) + QStringLiteral(" VALUE=")
                + quoted(QStringLiteral("OK")) + QStringLiteral(" onClick=") + Q + QStringLiteral("location = form.")
                + name + QStringLiteral(".options[") + selected + QStringLiteral("].value;") + Q + QLatin1Char('>')
                + crlf,
            false);
    }
    put(c, QStringLiteral("</FORM>") + crlf, false);
    return true;
}

bool WriteGradient(ScriptWizardContext &c, GradientWizard &w)
{
    w.text = EscapeQuotes(w.text);
    const int callStart = c.text.selectionStart();
    put(c,
        QStringLiteral("<SCRIPT LANGUAGE=") + quoted(QStringLiteral("JavaScript")) + QLatin1Char('>') + crlf
            + QStringLiteral("<!-- debut du script") + crlf + QStringLiteral("degrade('") + w.text
            + QStringLiteral("',") + QString::number(w.size) + QStringLiteral(",'") + EscapeQuotes(w.font)
            + QStringLiteral("',") + QString::number(w.colour) + QLatin1Char(')') + crlf
            + QStringLiteral("//  Fin du script -->") + crlf + QStringLiteral("</SCRIPT>") + crlf,
        true);
    if (!DocumentContains(c.text, gradientHeader)) {
        // The call runs while the page loads, so without a HEAD the function
        // goes in front of the call rather than after it.
        if (!MoveCaretToTag(c.text, QStringLiteral("</HEAD>"), true))
            c.text.select(callStart, 0);
        loadTemplate(c, QStringLiteral("degrade.scr"));
    }
    return true;
}

bool WritePictureList(ScriptWizardContext &c, const PictureListWizard &w)
{
    if (w.entries.isEmpty()) {
        c.prompts.warning(msg(89));
        return false;
    }
    const QString n = QString::number(FreeNameNumber(c.text, QStringLiteral("listeimg")));
    put(c, QStringLiteral("<FORM>") + crlf, true);
    put(c,
        QStringLiteral("<IMG NAME=") + quoted(QStringLiteral("imgDepart") + n) + QStringLiteral(" SRC=")
            + quoted(w.entries.first().file) + QStringLiteral(" BORDER=0 WIDTH=") + QString::number(w.width)
            + QStringLiteral(" HEIGHT=") + QString::number(w.height) + QLatin1Char('>') + crlf,
        false);
    put(c,
        QStringLiteral("<SELECT NAME=") + Q + QStringLiteral("listeImg") + n + Q
            + (w.listView ? QStringLiteral(" SIZE=3") : QStringLiteral(" SIZE=1")) + QStringLiteral(" onChange =") + Q
            + QStringLiteral("if (VersionNavigateur(3.0,4.0)) imgDepart") + n + QStringLiteral(".src=form.listeImg") + n
            + QStringLiteral(".options[form.listeImg") + n + QStringLiteral(".selectedIndex].value;") + Q
            + QLatin1Char('>') + crlf,
        false);
    for (const PictureEntry &e : w.entries)
        put(c, QStringLiteral("  <OPTION VALUE=") + quoted(e.file) + QLatin1Char('>') + e.text + crlf, false);
    put(c, QStringLiteral("</SELECT>") + crlf, false);
    put(c, QStringLiteral("</FORM>") + crlf, false);
    insertVersionFunction(c);
    return true;
}

bool WritePictureLink(ScriptWizardContext &c, const PictureLinkWizard &w)
{
    if (w.linkTag.trimmed().isEmpty() || w.normalPicture.isEmpty() || w.overPicture.isEmpty()) {
        c.prompts.warning(msg(88));
        return false;
    }
    const QString name = QStringLiteral("img") + QString::number(FreeNameNumber(c.text, QStringLiteral("img")));
    // A picture whose size is unknown is written without one rather than
    // as a picture of no size, which a browser would not show.
    const QString size = w.width > 0 && w.height > 0 ? QStringLiteral(" WIDTH=") + QString::number(w.width)
                                                           + QStringLiteral(" HEIGHT=") + QString::number(w.height)
                                                     : QString();
    QString link = w.linkTag.trimmed();
    if (link.endsWith(QLatin1Char('>')))
        link.chop(1);
    put(c,
        link + QStringLiteral(" onMouseOver=") + Q + QStringLiteral("if (VersionNavigateur(3.0,4.0))  ") + name
            + QStringLiteral(".src='") + w.overPicture + QStringLiteral("' ") + Q + QStringLiteral(" onMouseOut=") + Q
            + name + QStringLiteral(".src='") + w.normalPicture + QStringLiteral("' ") + Q + QLatin1Char('>') + crlf,
        true);
    put(c,
        QStringLiteral("<IMG NAME=") + quoted(name) + size + QStringLiteral(" BORDER=0 SRC=") + quoted(w.normalPicture)
            + QStringLiteral(" onLoad=") + Q + QStringLiteral("tempImg=new Image(0,0); tempImg.src='") + w.overPicture
            + QLatin1Char('\'') + Q + QStringLiteral("></A>") + crlf,
        false);
    insertVersionFunction(c);
    return true;
}

int PictureSize(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 ? value : fallback;
}
