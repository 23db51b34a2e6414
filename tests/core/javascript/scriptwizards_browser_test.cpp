// The script templates and the markup the wizards write around them, run in
// a real browser: no script error, and the effect happens.
#include "core/javascript/scriptwizards.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "support/headlessbrowser.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>

namespace {

// The checks build the wizards' names ('liste' + 1) so that the page does
// not already hold them, which would make the wizards number theirs 2.
// Collects every script error from the start; the checks named in the page
// run 1.5 s after loading (virtual time) and write what failed into
// <DIV ID="resultat">, "OK" when nothing did.
const char *errorCollector = "<SCRIPT>var erreurs = [];\r\n"
                             "window.addEventListener('error', function (e) { erreurs.push(e.message); });\r\n"
                             "</SCRIPT>\r\n";

const char *checker = R"(<DIV ID="resultat">pas de resultat</DIV>
<SCRIPT>
var echecs = [];
var banniereAvant = null, statutAvant = null;
function attendu(condition, texte) { if (!condition) echecs.push(texte); }
var verifications = {
  banniere: function () {
    var valeur = document.forms.formban.Fbanniere.value;
    attendu(valeur.indexOf('Bienvenue') >= 0 || valeur.length > 0, 'banniere vide');
    attendu(banniereAvant !== null && valeur != banniereAvant, 'banniere immobile: ' + valeur);
  },
  statut: function () {
    attendu(window.status && window.status != statutAvant, 'statut immobile: ' + window.status);
  },
  heure: function () {
    attendu(/^\d\d:\d\d:\d\d$/.test(document.forms.Temps1.heure.value), 'heure: ' + document.forms.Temps1.heure.value);
  },
  date: function () {
    attendu(/^\d{1,2} \S+ \d{4}$/.test(document.forms.Temps2.date.value), 'date: ' + document.forms.Temps2.date.value);
  },
  menu: function () {
    var liste = document.getElementsByName('liste' + 1)[0];
    liste.selectedIndex = 2;
    var formulaire = liste.form;
    formulaire.querySelector('input[type=button]').click();
    attendu(location.hash == '#deux', 'menu: ' + location.hash);
  },
  degrade: function () {
    var lettres = document.querySelectorAll('font[color]');
    attendu(lettres.length == 7, 'lettres: ' + lettres.length);
    attendu(lettres.length && lettres[lettres.length - 1].getAttribute('color') == '#0000FF', 'couleur finale');
    attendu(document.body.textContent.indexOf("l'ete '") >= 0, 'texte en degrade');
  },
  images: function () {
    var liste = document.getElementsByName('listeImg' + 1)[0], image = document.images['imgDepart' + 1];
    liste.selectedIndex = 1;
    liste.dispatchEvent(new Event('change'));
    attendu(/b\.png$/.test(image.src), 'image choisie: ' + image.src);
  },
  lien: function () {
    var lien = document.querySelector('a[onmouseover]'), image = lien.querySelector('img');
    lien.dispatchEvent(new MouseEvent('mouseover'));
    attendu(/b\.png$/.test(image.src), 'survol: ' + image.src);
    lien.dispatchEvent(new MouseEvent('mouseout'));
    attendu(/a\.png$/.test(image.src), 'sortie: ' + image.src);
  }
};
window.addEventListener('load', function () {
  setTimeout(function () {
    if (document.forms.formban) banniereAvant = document.forms.formban.Fbanniere.value;
    statutAvant = window.status;
  }, 500);
  setTimeout(function () {
    var noms = document.body.getAttribute('data-verifier').split(' ');
    for (var i = 0; i < noms.length; i++) {
      try { verifications[noms[i]](); } catch (e) { echecs.push(noms[i] + ': ' + e.message); }
    }
    for (var j = 0; j < erreurs.length; j++) echecs.push('erreur: ' + erreurs[j]);
    document.getElementById('resultat').textContent = echecs.length ? echecs.join(' | ') : 'OK';
  }, 1500);
});
</SCRIPT>
)";

using Step = std::function<void(ScriptWizardContext &)>;

Step bannerStep(const char *text, bool statusBar)
{
    return [=](ScriptWizardContext &c) {
        BannerWizard w;
        w.text = text, w.statusBar = statusBar;
        WriteBanner(c, w);
    };
}
const Step banner = bannerStep("Bienvenue", false);
const Step statusBanner = bannerStep("Sur \"la\" barre", true);
const Step clock = [](ScriptWizardContext &c) { WriteClock(c, ClockWizard{"HH:MM:SS", false}); };
const Step date = [](ScriptWizardContext &c) { WriteClock(c, ClockWizard{"JJ MOIS AAAA", true}); };
const Step menu = [](ScriptWizardContext &c) {
    UrlMenuWizard w;
    w.entries = {{"#un", "Un"}, {"#deux", "Deux"}};
    w.title = "-- MENU --";
    WriteUrlMenu(c, w);
};
const Step gradient = [](ScriptWizardContext &c) {
    GradientWizard w{"l'ete \"", "Arial", 4, 2};
    WriteGradient(c, w);
};
const Step pictures = [](ScriptWizardContext &c) {
    PictureListWizard w;
    w.entries = {{"a.png", "A"}, {"b.png", "B"}};
    WritePictureList(c, w);
};
const Step pictureLink = [](ScriptWizardContext &c) {
    WritePictureLink(c, PictureLinkWizard{"<A HREF=\"#lien\">", "a.png", "b.png", 10, 10});
};

struct BrowserCase
{
    const char *name;
    QList<Step> steps;
    const char *checks;
};

void PrintTo(const BrowserCase &c, std::ostream *os)
{
    *os << c.name;
}

// The page after the steps, each run with the caret at the end of the BODY.
QString pageAfter(const BrowserCase &c)
{
    MemoryText text(QStringLiteral("<HTML><HEAD><TITLE>Essai</TITLE>\r\n") + errorCollector
                    + QStringLiteral("</HEAD>\r\n<BODY data-verifier=\"") + c.checks
                    + QStringLiteral("\">\r\n<!--ici-->\r\n") + QString(checker).replace("\n", "\r\n")
                    + QStringLiteral("</BODY></HTML>\r\n"));
    UndoHistory undo(text);
    EditorState state;
    FakePrompts prompts;
    const QString folder = QStringLiteral(TESSALINE_SOURCE_DIR "/jscript");
    ScriptWizardContext context{text, undo, state, prompts, FolderTemplateReader(folder), folder};
    for (const Step &step : c.steps) {
        text.select(int(text.text().indexOf(QStringLiteral("<!--ici-->"))), 0);
        step(context);
    }
    EXPECT_TRUE(prompts.shown.isEmpty()) << str(prompts.shown);
    return text.text();
}

class ScriptWizardsInBrowser : public testing::TestWithParam<BrowserCase>
{
};

TEST_P(ScriptWizardsInBrowser, RunWithoutErrorAndShowTheirEffect)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << str(HeadlessBrowser::missingReason());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("page.htm"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pageAfter(GetParam()).toUtf8());
    file.close();

    QProcess browser;
    browser.start(HeadlessBrowser::program(), HeadlessBrowser::baseArguments(folder.filePath(QStringLiteral("profil")))
                                                  << QStringLiteral("--virtual-time-budget=4000")
                                                  << QStringLiteral("--dump-dom")
                                                  << QUrl::fromLocalFile(path).toString());
    ASSERT_TRUE(browser.waitForFinished(60000));
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    const QRegularExpressionMatch result =
        QRegularExpression(QStringLiteral("<div id=\"resultat\">(.*?)</div>")).match(dom);
    ASSERT_TRUE(result.hasMatch()) << str(dom.left(2000));
    EXPECT_EQ(str(result.captured(1)), "OK");
}

INSTANTIATE_TEST_SUITE_P(
    Wizards, ScriptWizardsInBrowser,
    testing::Values(BrowserCase{"Banner", {banner}, "banniere"},
                    BrowserCase{"StatusBarBanner", {statusBanner}, "statut"}, BrowserCase{"Clock", {clock}, "heure"},
                    BrowserCase{"ClockTwice", {clock, clock}, "heure"}, BrowserCase{"Date", {date}, "date"},
                    BrowserCase{"UrlMenu", {menu}, "menu"}, BrowserCase{"Gradient", {gradient}, "degrade"},
                    BrowserCase{"PictureList", {pictures}, "images"}, BrowserCase{"PictureLink", {pictureLink}, "lien"},
                    BrowserCase{"AllSixTogether",
                                {banner, clock, menu, gradient, pictures, pictureLink},
                                "banniere heure menu degrade images lien"}),
    [](const testing::TestParamInfo<BrowserCase> &info) { return std::string(info.param.name); });

} // namespace
