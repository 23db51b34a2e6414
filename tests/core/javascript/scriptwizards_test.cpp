#include "core/javascript/scriptwizards.h"

#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

#include <QMap>

#include <functional>

namespace {

// Small stand-ins for the template files: one line naming the file, the
// version and gradient ones with the function header the page is searched for.
const QMap<QString, QStringList> templates = {
    {"ban2.scr", {"<SCRIPT>ban2</SCRIPT>"}},
    {"temps4.scr", {"<SCRIPT>temps4</SCRIPT>"}},
    {"date2.scr", {}},
    {"degrade.scr", {"<SCRIPT>function degrade(texte, taille, police, RGB) {}", "</SCRIPT>"}},
    {"version.scr", {"<SCRIPT>function VersionNavigateur(Netscape, Explorer) {}</SCRIPT>"}},
};

struct WizardRun
{
    // "|" marks the caret.
    explicit WizardRun(const QString &page)
        : text(QString(page).remove('|'))
        , undo(text)
        , context{text, undo, state, prompts, reader(), QStringLiteral("/prog/jscript")}
    {
        text.select(int(QString(page).replace("\n", "\r\n").indexOf('|')), 0);
    }
    static TemplateReader reader()
    {
        return [](const QString &name, QStringList &lines) {
            if (!templates.contains(name))
                return false;
            lines = templates.value(name);
            return true;
        };
    }
    QString page() const { return QString(text.text()).replace("\r\n", "\n"); }

    MemoryText text;
    UndoHistory undo;
    EditorState state;
    FakePrompts prompts;
    ScriptWizardContext context;
};

const QString page = "<HTML><HEAD>\n</HEAD>\n<BODY>\n|</BODY></HTML>";

struct WizardCase
{
    const char *name;
    QString page;
    std::function<bool(ScriptWizardContext &)> run;
    QString expected;
    QString message;
    bool closes;
};

void PrintTo(const WizardCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScriptWizardOutput : public testing::TestWithParam<WizardCase>
{
};

TEST_P(ScriptWizardOutput, WritesThePage)
{
    const WizardCase &c = GetParam();
    WizardRun run(c.page);
    const QString before = run.text.text();
    EXPECT_EQ(c.run(run.context), c.closes);
    EXPECT_EQ(str(run.page()), str(c.expected));
    EXPECT_EQ(str(run.prompts.shown.join("\n")), str(c.message));
    while (run.undo.CanUndo())
        run.undo.Undo();
    EXPECT_EQ(run.text.text(), before) << "undo gives the page back";
}

bool pictureListTwice(ScriptWizardContext &c)
{
    PictureListWizard w;
    w.entries = {{"a.gif", "A"}};
    w.listView = true;
    const bool first = WritePictureList(c, w);
    c.text.select(c.text.length(), 0);
    return first && WritePictureList(c, w);
}

const QString listLines = "<FORM>\n<IMG NAME=\"imgDepart%1\" SRC=\"a.gif\" BORDER=0 WIDTH=320 HEIGHT=240>\n"
                          "<SELECT NAME=\"listeImg%1\" SIZE=3 onChange =\"if (VersionNavigateur(3.0,4.0)) "
                          "imgDepart%1.src=form.listeImg%1.options[form.listeImg%1.selectedIndex].value;\">\n"
                          "  <OPTION VALUE=\"a.gif\">A\n</SELECT>\n</FORM>\n";

INSTANTIATE_TEST_SUITE_P(
    Wizards, ScriptWizardOutput,
    testing::Values(
        WizardCase{"BannerCallGoesInFrontOfExistingCode",
                   "<HEAD></HEAD><body bgcolor=red onload=\"init()\" ONUNLOAD=\"fin()\">|",
                   [](ScriptWizardContext &c) {
                       BannerWizard w;
                       w.text = "Il a dit \"oui\" l'an", w.statusBar = true, w.delay = 50;
                       return WriteBanner(c, w);
                   },
                   "<HEAD><SCRIPT>ban2</SCRIPT>\n</HEAD><body bgcolor=red onload=\"Msg='Il a dit \\'oui\\' "
                   "l\\'an'; banniere(50);init()\" ONUNLOAD=\"clearTimeout(ban);fin()\">",
                   "", true},
        WizardCase{"EmptyTemplateWritesNothingButTheCalls", "<BODY>|",
                   [](ScriptWizardContext &c) {
                       return WriteClock(c, ClockWizard{"JJ/MM/AA", true});
                   },
                   "<BODY onLoad=\"debuteDate(10000)\" onUnload=\"clearTimeout(dd)\">"
                   "<FORM NAME=\"Temps2\">\n<INPUT TYPE=\"text\" NAME=\"date\" SIZE=\"10\"><BR>\n</FORM>\n",
                   "", true},
        WizardCase{"BodyWithoutEndKeepsFormAndTemplate", "<HEAD></HEAD>|<BODY onLoad=\"x\"",
                   [](ScriptWizardContext &c) {
                       return WriteClock(c, ClockWizard{"HH HEURE MM", false});
                   },
                   "<HEAD><SCRIPT>temps4</SCRIPT>\n</HEAD><FORM NAME=\"Temps1\">\n"
                   "<INPUT TYPE=\"text\" NAME=\"heure\" SIZE=\"12\"><BR></FORM>\n<BODY onLoad=\"x\"",
                   "error:" + msg(69), true},
        WizardCase{"MissingTemplateStopsBeforeTheBody", "<BODY>|",
                   [](ScriptWizardContext &c) {
                       return WriteClock(c, ClockWizard{"HH:MM", false});
                   },
                   "<BODY><FORM NAME=\"Temps1\">\n<INPUT TYPE=\"text\" NAME=\"heure\" SIZE=\"9\"><BR>\n</FORM>\n",
                   "error:Cannot open file /prog/jscript/temps2.scr", true},
        WizardCase{"SecondPictureListIsNumberedTwoAndVersionGoesInOnce", "<HEAD></HEAD>|", pictureListTwice,
                   "<HEAD><SCRIPT>function VersionNavigateur(Netscape, Explorer) {}</SCRIPT>\n</HEAD>"
                       + listLines.arg(1) + listLines.arg(2),
                   "", true},
        WizardCase{"PictureListWithoutEntriesStaysOpen", page,
                   [](ScriptWizardContext &c) { return WritePictureList(c, PictureListWizard()); },
                   QString(page).remove('|'), "warning:" + msg(89), false},
        WizardCase{
            "GradientQuotesTextAndFontAndFindsItsFunction", "<HEAD>degrade(texte, taille, police, RGB)</HEAD>|",
            [](ScriptWizardContext &c) {
                GradientWizard w{"l'été \"chaud\"", "Arial", 5, 2};
                return WriteGradient(c, w);
            },
            "<HEAD>degrade(texte, taille, police, RGB)</HEAD><SCRIPT LANGUAGE=\"JavaScript\">\n<!-- debut du script\n"
            "degrade('l\\'été \\'chaud\\'',5,'Arial',2)\n//  Fin du script -->\n</SCRIPT>\n",
            "", true},
        WizardCase{"UrlMenuWithoutEntriesWritesNothing", "x|",
                   [](ScriptWizardContext &c) { return WriteUrlMenu(c, UrlMenuWizard()); }, "x", "", true},
        WizardCase{"PictureLinkOfUnknownSizeHasNoSize", "|",
                   [](ScriptWizardContext &c) {
                       return WritePictureLink(c, PictureLinkWizard{"<A HREF=\"p.htm\">", "a.gif", "b.gif", 0, 0});
                   },
                   "<A HREF=\"p.htm\" onMouseOver=\"if (VersionNavigateur(3.0,4.0))  img1.src='b.gif' \" "
                   "onMouseOut=\"img1.src='a.gif' \">\n<IMG NAME=\"img1\" BORDER=0 SRC=\"a.gif\" "
                   "onLoad=\"tempImg=new Image(0,0); tempImg.src='b.gif'\"></A>\n"
                   "<SCRIPT>function VersionNavigateur(Netscape, Explorer) {}</SCRIPT>\n",
                   "", true},
        WizardCase{"PictureLinkWithoutLinkStaysOpen", "|",
                   [](ScriptWizardContext &c) {
                       return WritePictureLink(c, PictureLinkWizard{"", "a.gif", "b.gif", 1, 1});
                   },
                   "", "warning:" + msg(88), false}),
    [](const testing::TestParamInfo<WizardCase> &info) { return std::string(info.param.name); });

TEST(ScriptWizardText, EscapeQuotesAndSizes)
{
    const struct
    {
        QString in, out;
    } escapes[] = {
        {"\"", "\\'"},
        {"a\\'", "a\\\\\\'"},
        {"</SCRIPT>", "<\\/SCRIPT>"},
        {"1/2", "1/2"},
    };
    for (const auto &e : escapes)
        EXPECT_EQ(EscapeQuotes(e.in), e.out) << e.in.toStdString();

    const struct
    {
        QString in;
        int out;
    } sizes[] = {{" 7 ", 7}, {"0", 0}, {"-3", 320}, {"abc", 320}};
    for (const auto &s : sizes)
        EXPECT_EQ(PictureSize(s.in, 320), s.out) << s.in.toStdString();

    const struct
    {
        QByteArray in;
        QStringList out;
    } files[] = {{"", {}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\nb\rc", {"a", "b", "c"}}, {"\n", {""}}};
    for (const auto &f : files)
        EXPECT_EQ(TemplateLines(f.in), f.out) << f.in.toStdString();
}

} // namespace
