#include "core/tagcommands/tagcommands.h"

#include <QStringList>

namespace {

TagCommand wrap(const char *id, const char *menuId, const QString &caption, const char *shortcut, const char *start,
                const char *end, const char *glyph = "")
{
    return {QString::fromLatin1(id),    QString::fromLatin1(menuId), caption,       QString::fromLatin1(shortcut),
            QString::fromLatin1(start), QString::fromLatin1(end),    TagMode::Wrap, QString::fromLatin1(glyph)};
}

TagCommand insert(const char *id, const char *menuId, const QString &caption, const char *shortcut, const char *start,
                  const char *glyph = "")
{
    return {QString::fromLatin1(id),
            QString::fromLatin1(menuId),
            caption,
            QString::fromLatin1(shortcut),
            QString::fromLatin1(start),
            QString(),
            TagMode::Insert,
            QString::fromLatin1(glyph)};
}

TagCommand dialog(const char *id, const char *menuId, const QString &caption, const char *glyph,
                  const char *shortcut = "")
{
    return {QString::fromLatin1(id),
            QString::fromLatin1(menuId),
            caption,
            QString::fromLatin1(shortcut),
            QString(),
            QString(),
            TagMode::Dialog,
            QString::fromLatin1(glyph)};
}

TagButton button(const TagCommand &command)
{
    TagButton b;
    b.command = command;
    return b;
}

TagButton withVariants(const TagCommand &command, DropDownStyle style, const char *dropDownId,
                       const QString &dropDownCaption, const QList<TagCommand> &variants)
{
    TagButton b;
    b.command = command;
    b.dropDown = style;
    b.dropDownId = QString::fromLatin1(dropDownId);
    b.dropDownCaption = dropDownCaption;
    b.variants = variants;
    return b;
}

// The fourteen font sizes, -7 to +7 without 0: the drop-down items and the
// menu items carry different names.
QList<TagCommand> fontSizes()
{
    static const char *const itemIds[] = {
        "Police71",         "Tailledepolice61", "Tailledepolice51", "Tailledepolice41", "Tailledepolice31",
        "Tailledepolice21", "Tailledepolice11", "Tailledepolice12", "Tailledepolice22", "Tailledepolice32",
        "Tailledepolice42", "Tailledepolice52", "Tailledepolice62", "Tailledepolice71"};
    static const char *const menuIds[] = {
        "Tailledepolice72", "Tailledepolice63", "Tailledepolice53", "Tailledepolice43", "Tailledepolice33",
        "Tailledepolice23", "Tailledepolice13", "Tailledepolice14", "Tailledepolice24", "Tailledepolice34",
        "Tailledepolice44", "Tailledepolice54", "Tailledepolice64", "Tailledepolice73"};
    QList<TagCommand> sizes;
    int index = 0;
    for (int size = -7; size <= 7; ++size) {
        if (size == 0)
            continue;
        const QString signedSize = (size > 0 ? QStringLiteral("+") : QString()) + QString::number(size);
        TagCommand c;
        c.id = QString::fromLatin1(itemIds[index]);
        c.menuId = QString::fromLatin1(menuIds[index]);
        c.caption = QStringLiteral("Taille de police ") + signedSize;
        c.startText = QStringLiteral("<FONT SIZE=") + signedSize + u'>';
        c.endText = QStringLiteral("</FONT>");
        c.mode = TagMode::Wrap;
        sizes << c;
        ++index;
    }
    return sizes;
}

QList<TagCommand> headings()
{
    QList<TagCommand> result;
    for (int level = 1; level <= 6; ++level) {
        const QString n = QString::number(level);
        TagCommand c;
        c.id = u'H' + n;
        c.menuId = u'H' + n + u'1';
        c.caption = QStringLiteral("En-tête de niveau ") + n;
        c.startText = QStringLiteral("<H") + n + u'>';
        c.endText = QStringLiteral("</H") + n + u'>';
        c.mode = TagMode::Wrap;
        c.glyph = QStringLiteral("h") + n;
        result << c;
    }
    return result;
}

TagPage commonPage()
{
    TagPage page{QStringLiteral("TabSheet1"), QStringLiteral("Communs"), QStringLiteral("&Communs"), {}};
    TagCommand headingsButton;
    headingsButton.id = QStringLiteral("H1H6Btn");
    headingsButton.caption = QStringLiteral("En-têtes de niveau 1 à 6");
    headingsButton.mode = TagMode::DropDown;
    headingsButton.glyph = QStringLiteral("headings");

    TagButton fontButton =
        withVariants(dialog("FontBtn", "Lettrage1", QStringLiteral("Lettrage global"), "font"),
                     DropDownStyle::SeparateArrow, "FontPlusBtn", QStringLiteral("Taille de police"), fontSizes());
    fontButton.dropDownGlyph = QStringLiteral("fontsize");

    page.buttons = {
        fontButton,
        withVariants(headingsButton, DropDownStyle::Only, "H1H6Btn", headingsButton.caption, headings()),
        button(wrap("CenterBtn", "Centrer1", QStringLiteral("Centré"), "Ctrl+T", "<CENTER>", "</CENTER>", "center")),
        button(wrap("BoldBtn", "Gras1", QStringLiteral("Gras"), "Ctrl+G", "<B>", "</B>", "bold")),
        button(wrap("ItalicBtn", "Italique1", QStringLiteral("Italique"), "Ctrl+I", "<I>", "</I>", "italic")),
        button(wrap("SBtn", "Souligner1", QStringLiteral("Souligné"), "Ctrl+U", "<U>", "</U>", "underline")),
        button(wrap("BlinkBtn", "Clignotement1", QStringLiteral("Clignotement (Netscape)"), "", "<BLINK>", "</BLINK>",
                    "blink")),
        button(wrap("StrikeBtn", "barrer1", QStringLiteral("Barré"), "", "<STRIKE>", "</STRIKE>", "strike")),
        withVariants(wrap("PreBtn", "", QStringLiteral("Préformaté"), "", "<PRE>", "</PRE>", "pre"),
                     DropDownStyle::Split, "PREp", QStringLiteral("Préformaté"),
                     {wrap("PRE1", "PRE11", QStringLiteral("Sur 80 colonnes (par défaut)"), "", "<PRE>", "</PRE>"),
                      wrap("PRE2", "PRE21", QStringLiteral("Sur 40 colonnes"), "", "<PRE WIDTH=40>", "</PRE>"),
                      wrap("PRE3", "PRE31", QStringLiteral("Sur 132 colonnes"), "", "<PRE WIDTH=132>", "</PRE>")}),
        button(wrap("QuoteBtn", "Citation1", QStringLiteral("Bloc de citations"), "", "<BLOCKQUOTE>", "</BLOCKQUOTE>",
                    "quote")),
        withVariants(
            insert("BRBtn", "", QStringLiteral("Retour de chariot"), "", "<BR>", "br"), DropDownStyle::Split, "BRp",
            QStringLiteral("Retour de chariot"),
            {insert("BR1", "BR11", QStringLiteral("Sans vérifier la marge (par défaut)"), "Ctrl+B", "<BR>"),
             insert("BR2", "BR21", QStringLiteral("Jusqu'à marge droite libre"), "", "<BR CLEAR=RIGHT>"),
             insert("BR3", "BR31", QStringLiteral("Jusqu'à marge gauche libre"), "", "<BR CLEAR=LEFT>"),
             insert("BR4", "BR41", QStringLiteral("Jusqu'à marge droite et gauche libres"), "", "<BR CLEAR=ALL>"),
             wrap("NOBR1", "NOBR51", QStringLiteral("Empêcher retour de chariot"), "", "<NOBR>", "</NOBR>")}),
        withVariants(insert("PBtn", "", QStringLiteral("Paragraphe"), "", "<P>", "p"), DropDownStyle::Split, "Pp",
                     QStringLiteral("Paragraphe"),
                     {insert("PMenu1", "Pmenu11", QStringLiteral("A gauche (par défaut)"), "Ctrl+P", "<P>"),
                      wrap("PMenu2", "Pmenu21", QStringLiteral("A gauche (forcée)"), "", "<P ALIGN=LEFT>", "</P>"),
                      wrap("PMenu3", "Pmenu31", QStringLiteral("Au milieu"), "", "<P ALIGN=CENTER>", "</P>"),
                      wrap("PMenu4", "Pmenu41", QStringLiteral("A droite"), "", "<P ALIGN=RIGHT>", "</P>")}),
        // The blanks inside the comment marks belong to the texts: the caret
        // lands after "<!-- ".
        button(wrap("CommentBtn", "Commentaire1", QStringLiteral("Commentaire"), "Ctrl+M", "<!-- ", " -->", "comment")),
    };
    return page;
}

TagPage specialPage()
{
    TagCommand colour =
        dialog("CouleurBtn", "Couleurenhexadcimal1", QStringLiteral("Couleur en hexadécimal"), "colour");
    colour.mode = TagMode::Colour;
    return {
        QStringLiteral("TabSheet2"),
        QStringLiteral("Spécialisés"),
        QStringLiteral("&Spécialisés"),
        {
            button(dialog("ImgBtn", "Image3", QStringLiteral("Image"), "image")),
            button(dialog("MapBtn", "Imageencoordones1", QStringLiteral("Image en coordonnées"), "map")),
            button(dialog("HrBtn", "Lignehorizontale1", QStringLiteral("Ligne horizontale"), "hr")),
            button(dialog("LienExtBtn", "Lienexterne1", QStringLiteral("Lien externe"), "extlink")),
            button(dialog("LienIntBtn", "Lieninterne1", QStringLiteral("Lien interne"), "intlink")),
            button(dialog("carsetBtn", "Caractresspciaux1", QStringLiteral("Caractères spéciaux"), "charset", "F7")),
            button(dialog("TagBtn", "CommandesHTMLMenu", QStringLiteral("Commandes HTML en bref"), "tagref", "F8")),
            button(dialog("BodyBtn", "Dfinitionducorps1", QStringLiteral("Corps du document <body>"), "body")),
            button(dialog("JavaBtn", "AppletdeJava1", QStringLiteral("Applet de Java"), "applet")),
            button(dialog("BaseFontBtn", "Lettragedebase1", QStringLiteral("Lettrage de base"), "basefont")),
            button(colour),
        }};
}

TagPage tablesPage()
{
    return {QStringLiteral("TabSheet3"),
            QStringLiteral("Tableaux, Cadres et Listes"),
            QStringLiteral("&Tableaux, Cadres et Listes"),
            {
                button(dialog("TableBtn", "Tableaux2", QStringLiteral("Tableaux"), "table")),
                button(dialog("FrameBtn", "Cadres1", QStringLiteral("Cadres"), "frames")),
                button(dialog("OlBtn", "Listeordonne1", QStringLiteral("Liste ordonnée"), "ol")),
                button(dialog("ULbtn", "Listenonordonne1", QStringLiteral("Liste non ordonnée"), "ul")),
                button(dialog("DlBtn", "Dfinitiondeliste1", QStringLiteral("Définition de liste"), "dl")),
                button(dialog("MenuBtn", "Listemenu1", QStringLiteral("Liste de menus"), "menulist")),
                button(dialog("DirBtn", "Listerpertoire1", QStringLiteral("Liste de répertoires"), "dirlist")),
            }};
}

TagPage formsPage()
{
    return {QStringLiteral("TabSheet4"),
            QStringLiteral("Formulaires"),
            QStringLiteral("&Formulaires"),
            {
                button(dialog("FormBtn", "Formulaire1", QStringLiteral("Feuille de formulaire"), "form")),
                button(dialog("CheckBoxBtn", "Botecoche1", QStringLiteral("Case à cocher"), "checkbox")),
                button(dialog("RadioBoxBtn", "Botedeslection1", QStringLiteral("Case radio"), "radio")),
                button(dialog("ListBoxBtn", "Boteliste1", QStringLiteral("Boîte liste"), "listbox")),
                button(dialog("ComboBoxBtn", "Botelistemenudroulant1", QStringLiteral("Boîte liste déroulante"),
                              "combobox")),
                button(dialog("EditBtn", "BoiteTexte", QStringLiteral("Boîte texte"), "textbox")),
                button(dialog("pwdBtn", "BoitePasse", QStringLiteral("Boîte mot de passe"), "password")),
                button(dialog("TextAreaBtn", "Botedetextemultiligne1", QStringLiteral("Boîte texte multiligne"),
                              "textarea")),
                button(dialog("ButtonBtn", "Bouton1", QStringLiteral("Bouton"), "button")),
                button(dialog("SubmitBtn", "BoutonSoum", QStringLiteral("Bouton soumettre"), "submit")),
                button(dialog("ResetBtn", "BoutonReco", QStringLiteral("Bouton recommencer"), "reset")),
                button(dialog("HiddenBtn", "Entrecache1", QStringLiteral("Entrée cachée"), "hidden")),
                button(dialog("ImageBtn", "Imagedeformulaire1", QStringLiteral("Image de formulaire"), "formimage")),
            }};
}

TagPage headPage()
{
    return {QStringLiteral("TabSheet5"),
            QStringLiteral("En-tête"),
            QStringLiteral("&En-tête"),
            {
                button(dialog("TitreBtn", "Titredudocument1", QStringLiteral("Titre du document"), "title")),
                button(dialog("BaseBtn", "Base1", QStringLiteral("Base"), "base")),
                button(dialog("MetaBtn", "Meta1", QStringLiteral("Méta-information"), "meta")),
                button(dialog("LinkBtn", "Lienderfrences1", QStringLiteral("Lien de relation"), "link")),
                button(dialog("IsIndexBtn", "Index1", QStringLiteral("Index"), "isindex")),
            }};
}

TagPage extensionsPage()
{
    return {
        QStringLiteral("TabSheet6"),
        QStringLiteral("Extensions"),
        QStringLiteral("E&xtensions"),
        {
            button(dialog("MarqueeBtn", "Banderole1", QStringLiteral("Bannière (Explorer)"), "marquee")),
            button(dialog("BgSoundBtn", "Sonetmusique1", QStringLiteral("Son d'arrière-plan (Explorer)"), "bgsound")),
            button(dialog("IFrameBtn", "CadreuniqueExplorer1", QStringLiteral("Cadre unique (Explorer)"), "iframe")),
            button(dialog("Table3dBtn", "Table3d", QStringLiteral("Tableau3D (Explorer)"), "table3d")),
            button(dialog("EmbedBtn", "Objetenchass1", QStringLiteral("Module enchassé"), "embed")),
        }};
}

TagPage scriptPage()
{
    return {
        QStringLiteral("TabSheet7"),
        QStringLiteral("JavaScript"),
        QStringLiteral("&JavaScript"),
        {
            button(dialog("ScriptBtn", "Script1", QStringLiteral("Définition d'un script"), "script")),
            button(dialog("BanScrBtn", "Bannire1", QStringLiteral("Bannière (script)"), "scrbanner")),
            button(dialog("HeureScrBtn", "HeureDate1", QStringLiteral("Heure ou date (script)"), "scrclock")),
            button(dialog("URLScrBtn", "ListeJScript", QStringLiteral("Liste de destinations URL (script)"), "scrurl")),
            button(dialog("CouleurScrBtn", "CouleurScr", QStringLiteral("Texte en dégradé (script)"), "scrgradient")),
            button(dialog("ImagesScrBtn", "ImagesScr", QStringLiteral("Sélection d'une image (script)"), "scrimages")),
            button(dialog("LienScrBtn", "LienScr", QStringLiteral("Images alternatives sur lien (script)"), "scrlink")),
        }};
}

} // namespace

const QList<TagPage> &tagPages()
{
    static const QList<TagPage> pages = {commonPage(), specialPage(),    tablesPage(), formsPage(),
                                         headPage(),   extensionsPage(), scriptPage()};
    return pages;
}

QString tagsMenuCaption()
{
    return QStringLiteral("O&nglets");
}

QList<const TagCommand *> allTagCommands()
{
    QList<const TagCommand *> result;
    for (const TagPage &page : tagPages()) {
        for (const TagButton &b : page.buttons) {
            result << &b.command;
            for (const TagCommand &v : b.variants)
                result << &v;
        }
    }
    return result;
}

const TagCommand *findTagCommand(const QString &id)
{
    if (id.isEmpty())
        return nullptr;
    for (const TagCommand *c : allTagCommands()) {
        if (c->id == id || c->menuId == id)
            return c;
    }
    return nullptr;
}
