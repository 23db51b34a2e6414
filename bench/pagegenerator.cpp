#include "pagegenerator.h"

#include <QRandomGenerator>
#include <QStringList>

#include <map>

namespace {

const QStringList Sentences = {
    QStringLiteral("L'été dernier, à Montréal, les élèves ont préparé une fête où chacun a goûté des crêpes."),
    QStringLiteral("Le garçon déçu a reçu un cadeau très spécial: une île déserte © et un château ™."),
    QStringLiteral("Ça coûte 12 € ou 15 $; « voilà » répondit-elle, après réflexion & sans hésiter."),
    QStringLiteral("Les numéros 1, 2 et 3 sont réservés aux invités; le reste est à prévoir plus tard."),
    QStringLiteral("Noël approche: n'oubliez pas le sapin, les guirlandes et le pâté de la grand-mère."),
    QStringLiteral("Où êtes-vous allés? À Genève, à Zürich puis à Besançon, avant l'été indien."),
};

const QStringList Tags = {
    QStringLiteral("<P>"),
    QStringLiteral("<B>"),
    QStringLiteral("</B>"),
    QStringLiteral("<I>"),
    QStringLiteral("</I>"),
    QStringLiteral("<BR>"),
    QStringLiteral("<A HREF=\"pages/suite.htm\">"),
    QStringLiteral("</A>"),
    QStringLiteral("<FONT FACE=\"Arial\" SIZE=2 COLOR=\"#FF0000\">"),
    QStringLiteral("</FONT>"),
};

const QString Script = QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n"
                                      "<!--\r\n"
                                      "function bouger(n) {\r\n"
                                      "    if (n < 10) {\r\n"
                                      "        position = n + 1;\r\n"
                                      "    } else {\r\n"
                                      "        position = 0;\r\n"
                                      "    }\r\n"
                                      "}\r\n"
                                      "// -->\r\n"
                                      "</SCRIPT>\r\n");

const QString Comment =
    QStringLiteral("<!-- Section modifiée le 12/03/98: vérifier les liens écrits à la main -->\r\n");

const QString TableRow = QStringLiteral("    <TR>\r\n"
                                        "        <TD ALIGN=CENTER>Été</TD>\r\n"
                                        "        <TD>  Hôtel   &amp;   café  </TD>\r\n"
                                        "    </TR>\r\n");

} // namespace

QString generatePage(qsizetype characters)
{
    QRandomGenerator random(1998);
    QString page;
    page.reserve(characters + 1024);
    page += QStringLiteral("<!-- EDITEUR TESSALINE -->\r\n<HTML>\r\n<HEAD>\r\n<TITLE>Page d'essai</TITLE>\r\n"
                           "</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n");
    while (page.size() < characters) {
        switch (random.bounded(10)) {
        case 0:
            page += Script;
            break;
        case 1:
            page += Comment;
            break;
        case 2:
            page += QStringLiteral("<TABLE BORDER=1>\r\n") + TableRow + TableRow + QStringLiteral("</TABLE>\r\n");
            break;
        default: {
            page += QStringLiteral("  ") + Tags.at(int(random.bounded(int(Tags.size())))) + QStringLiteral("\r\n");
            const int sentences = 1 + int(random.bounded(4));
            for (int i = 0; i < sentences; ++i) {
                page += Sentences.at(int(random.bounded(int(Sentences.size()))));
                page += random.bounded(3) == 0 ? QStringLiteral("\r\n    ") : QStringLiteral("  ");
            }
            page += QStringLiteral("\r\n");
        }
        }
    }
    page += QStringLiteral("</BODY>\r\n</HTML>\r\n");
    return page;
}

const QString &generatedPage(qint64 megabytes)
{
    static std::map<qint64, QString> pages;
    QString &text = pages[megabytes];
    if (text.isEmpty())
        text = generatePage(megabytes * 1024 * 1024);
    return text;
}
