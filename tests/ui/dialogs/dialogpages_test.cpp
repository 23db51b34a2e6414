#include "dialogtesting.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/dialogs/headdialogs.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/javascript/scripteditor.h"

#include "core/dialogs/eventcalls.h"

#include <QPushButton>
#include <QRadioButton>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Every page of every dialog, as the user first sees it.
TEST(DialogPages, ReadableWithTheirHelpAndShots)
{
    using Make = std::function<ElementDialog *(DialogServices &)>;
    const auto external = [](bool address) {
        return [address](DialogServices &s) {
            auto *d = new ExternalLinkDialog(s);
            if (address)
                d->addressField()->setEditText(QStringLiteral("cible.htm"));
            return d;
        };
    };
    const auto internal = [](DialogServices &s) { return new InternalLinkDialog(s); };
    const auto header = [](HeaderDialog::Page page) {
        return [page](DialogServices &s) { return new HeaderDialog(s, page); };
    };
    const struct
    {
        const char *shot;
        Make make;
        int tab; // -1: the dialog has no pages
    } pages[] = {
        {"evenements",
         [](DialogServices &s) {
             auto *d = new EventsDialog(s);
             d->enableEvents({JsEvent::onMouseOver, JsEvent::onMouseOut, JsEvent::onClick});
             d->setCall(JsEvent::onClick, QStringLiteral("calcul(formu1.total, formu1.taxes)"));
             d->eventButton(JsEvent::onClick)->click();
             return d;
         },
         -1},
        {"nom-fonction",
         [](DialogServices &s) {
             auto *d = new EventsDialog(s);
             d->setNameMode(true);
             return d;
         },
         -1},
        {"lienexterne-general", external(false), 0},
        {"lienexterne-apercu", external(true), 0},
        {"lienexterne-destinations", external(true), 1},
        {"lienexterne-cibles", external(false), 2},
        {"lienexterne-javascript", external(false), 3},
        {"lieninterne-nouvelle",
         [](DialogServices &s) {
             auto *d = new InternalLinkDialog(s);
             d->newNameField()->setText(QStringLiteral("suite"));
             d->toggleLine(1);
             return d;
         },
         0},
        {"lieninterne-existantes", internal, 1},
        {"lieninterne-javascript", internal, 2},
        {"titre", [](DialogServices &s) { return new TitleDialog(s); }, -1},
        {"entete-base", header(HeaderDialog::BasePage), -1},
        {"entete-meta", header(HeaderDialog::MetaPage), -1},
        {"entete-meta-refresh",
         [](DialogServices &s) {
             auto *d = new HeaderDialog(s, HeaderDialog::MetaPage);
             d->chooseMetaPreset(MetaRefresh);
             return d;
         },
         -1},
        {"entete-lien", header(HeaderDialog::LinkPage), -1},
        {"entete-index", header(HeaderDialog::IndexPage), -1},
        {"script",
         [](DialogServices &s) {
             auto *d = new ScriptEditor(s);
             d->setScript(ScriptSkeleton(QStringLiteral("calcul(a,b)")));
             d->listButton(WordList::Methods)->click();
             return d;
         },
         -1},
    };
    for (const auto &page : pages) {
        DialogTesting t;
        t.writeFile(QStringLiteral("cible.htm"), "<HTML><BODY>\r\n<A NAME=\"haut\"></A>Titre\r\n<P>Texte"
                                                 "\r\n<A NAME=\"bas\">Fin</A>\r\n</BODY></HTML>\r\n");
        t.host.setDocument(QStringLiteral("<HTML><HEAD>\r\n<TITLE>Accueil</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
                                          "<A NAME=\"haut\"></A>Bienvenue\r\n</BODY></HTML>"),
                           0, 0);
        checkDialogPage(page.make(t.services), page.shot, page.tab);
    }
}

} // namespace
