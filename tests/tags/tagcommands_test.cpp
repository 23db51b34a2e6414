#include "tags/tagcommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

namespace {

struct Expected
{
    const char *id;
    const char *menuId;
    const char *caption;
    const char *shortcut;
    const char *start;
    const char *end;
    TagMode mode;
};

// Every direct command with its exact texts, and a sample of the others.
const Expected expectedCommands[] = {
    {"CenterBtn", "Centrer1", "Centré", "Ctrl+T", "<CENTER>", "</CENTER>", TagMode::Wrap},
    {"BoldBtn", "Gras1", "Gras", "Ctrl+G", "<B>", "</B>", TagMode::Wrap},
    {"ItalicBtn", "Italique1", "Italique", "Ctrl+I", "<I>", "</I>", TagMode::Wrap},
    {"SBtn", "Souligner1", "Souligné", "Ctrl+U", "<U>", "</U>", TagMode::Wrap},
    {"BlinkBtn", "Clignotement1", "Clignotement (Netscape)", "", "<BLINK>", "</BLINK>", TagMode::Wrap},
    {"StrikeBtn", "barrer1", "Barré", "", "<STRIKE>", "</STRIKE>", TagMode::Wrap},
    {"PreBtn", "", "Préformaté", "", "<PRE>", "</PRE>", TagMode::Wrap},
    {"PRE1", "PRE11", "Sur 80 colonnes (par défaut)", "", "<PRE>", "</PRE>", TagMode::Wrap},
    {"PRE2", "PRE21", "Sur 40 colonnes", "", "<PRE WIDTH=40>", "</PRE>", TagMode::Wrap},
    {"PRE3", "PRE31", "Sur 132 colonnes", "", "<PRE WIDTH=132>", "</PRE>", TagMode::Wrap},
    {"QuoteBtn", "Citation1", "Bloc de citations", "", "<BLOCKQUOTE>", "</BLOCKQUOTE>", TagMode::Wrap},
    {"BRBtn", "", "Retour de chariot", "", "<BR>", "", TagMode::Insert},
    {"BR1", "BR11", "Sans vérifier la marge (par défaut)", "Ctrl+B", "<BR>", "", TagMode::Insert},
    {"BR2", "BR21", "Jusqu'à marge droite libre", "", "<BR CLEAR=RIGHT>", "", TagMode::Insert},
    {"BR3", "BR31", "Jusqu'à marge gauche libre", "", "<BR CLEAR=LEFT>", "", TagMode::Insert},
    {"BR4", "BR41", "Jusqu'à marge droite et gauche libres", "", "<BR CLEAR=ALL>", "", TagMode::Insert},
    {"NOBR1", "NOBR51", "Empêcher retour de chariot", "", "<NOBR>", "</NOBR>", TagMode::Wrap},
    {"PBtn", "", "Paragraphe", "", "<P>", "", TagMode::Insert},
    {"PMenu1", "Pmenu11", "A gauche (par défaut)", "Ctrl+P", "<P>", "", TagMode::Insert},
    {"PMenu2", "Pmenu21", "A gauche (forcée)", "", "<P ALIGN=LEFT>", "</P>", TagMode::Wrap},
    {"PMenu3", "Pmenu31", "Au milieu", "", "<P ALIGN=CENTER>", "</P>", TagMode::Wrap},
    {"PMenu4", "Pmenu41", "A droite", "", "<P ALIGN=RIGHT>", "</P>", TagMode::Wrap},
    {"CommentBtn", "Commentaire1", "Commentaire", "Ctrl+M", "<!-- ", " -->", TagMode::Wrap},
    {"H1", "H11", "En-tête de niveau 1", "", "<H1>", "</H1>", TagMode::Wrap},
    {"H4", "H41", "En-tête de niveau 4", "", "<H4>", "</H4>", TagMode::Wrap},
    {"H6", "H61", "En-tête de niveau 6", "", "<H6>", "</H6>", TagMode::Wrap},
    {"Police71", "Tailledepolice72", "Taille de police -7", "", "<FONT SIZE=-7>", "</FONT>", TagMode::Wrap},
    {"Tailledepolice11", "Tailledepolice13", "Taille de police -1", "", "<FONT SIZE=-1>", "</FONT>", TagMode::Wrap},
    {"Tailledepolice12", "Tailledepolice14", "Taille de police +1", "", "<FONT SIZE=+1>", "</FONT>", TagMode::Wrap},
    {"Tailledepolice71", "Tailledepolice73", "Taille de police +7", "", "<FONT SIZE=+7>", "</FONT>", TagMode::Wrap},
    {"CouleurBtn", "Couleurenhexadcimal1", "Couleur en hexadécimal", "", "", "", TagMode::Colour},
    {"FontBtn", "Lettrage1", "Lettrage global", "", "", "", TagMode::Dialog},
    {"BaseFontBtn", "Lettragedebase1", "Lettrage de base", "", "", "", TagMode::Dialog},
    {"carsetBtn", "Caractresspciaux1", "Caractères spéciaux", "F7", "", "", TagMode::Dialog},
    {"TagBtn", "CommandesHTMLMenu", "Commandes HTML en bref", "F8", "", "", TagMode::Dialog},
    {"BodyBtn", "Dfinitionducorps1", "Corps du document <body>", "", "", "", TagMode::Dialog},
    {"Table3dBtn", "Table3d", "Tableau3D (Explorer)", "", "", "", TagMode::Dialog},
    {"EmbedBtn", "Objetenchass1", "Module enchassé", "", "", "", TagMode::Dialog},
    {"LienScrBtn", "LienScr", "Images alternatives sur lien (script)", "", "", "", TagMode::Dialog},
};

TEST(TagCommandTable, CommandsCarryTheirExactTexts)
{
    for (const Expected &e : expectedCommands) {
        SCOPED_TRACE(e.id);
        const TagCommand *c = findTagCommand(QString::fromUtf8(e.id));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->id, QString::fromUtf8(e.id));
        EXPECT_EQ(c->menuId, QString::fromUtf8(e.menuId));
        EXPECT_EQ(c->caption, QString::fromUtf8(e.caption));
        EXPECT_EQ(c->shortcut, QString::fromUtf8(e.shortcut));
        EXPECT_EQ(c->startText, QString::fromUtf8(e.start));
        EXPECT_EQ(c->endText, QString::fromUtf8(e.end));
        EXPECT_EQ(int(c->mode), int(e.mode));
        // The menu twin is the very same command.
        if (*e.menuId) {
            EXPECT_EQ(findTagCommand(QString::fromUtf8(e.menuId)), c);
        }
    }
}

TEST(TagCommandTable, PagesHoldTheirButtonsLeftToRight)
{
    const QList<QStringList> expected = {
        {"FontBtn", "H1H6Btn", "CenterBtn", "BoldBtn", "ItalicBtn", "SBtn", "BlinkBtn", "StrikeBtn", "PreBtn",
         "QuoteBtn", "BRBtn", "PBtn", "CommentBtn"},
        {"ImgBtn", "MapBtn", "HrBtn", "LienExtBtn", "LienIntBtn", "carsetBtn", "TagBtn", "BodyBtn", "JavaBtn",
         "BaseFontBtn", "CouleurBtn"},
        {"TableBtn", "FrameBtn", "OlBtn", "ULbtn", "DlBtn", "MenuBtn", "DirBtn"},
        {"FormBtn", "CheckBoxBtn", "RadioBoxBtn", "ListBoxBtn", "ComboBoxBtn", "EditBtn", "pwdBtn", "TextAreaBtn",
         "ButtonBtn", "SubmitBtn", "ResetBtn", "HiddenBtn", "ImageBtn"},
        {"TitreBtn", "BaseBtn", "MetaBtn", "LinkBtn", "IsIndexBtn"},
        {"MarqueeBtn", "BgSoundBtn", "IFrameBtn", "Table3dBtn", "EmbedBtn"},
        {"ScriptBtn", "BanScrBtn", "HeureScrBtn", "URLScrBtn", "CouleurScrBtn", "ImagesScrBtn", "LienScrBtn"},
    };
    const QStringList captions = {"Communs",    "Spécialisés", "Tableaux, Cadres et Listes", "Formulaires", "En-tête",
                                  "Extensions", "JavaScript"};
    const QStringList menuCaptions = {"&Communs",     "&Spécialisés", "&Tableaux, Cadres et Listes",
                                      "&Formulaires", "&En-tête",     "E&xtensions",
                                      "&JavaScript"};
    ASSERT_EQ(tagPages().size(), 7);
    for (int p = 0; p < 7; ++p) {
        const TagPage &page = tagPages().at(p);
        EXPECT_EQ(page.id, QStringLiteral("TabSheet") + QString::number(p + 1));
        EXPECT_EQ(page.caption, captions.at(p));
        EXPECT_EQ(page.menuCaption, menuCaptions.at(p));
        QStringList ids;
        for (const TagButton &b : page.buttons)
            ids << b.command.id;
        EXPECT_EQ(ids, expected.at(p)) << "page " << p + 1;
    }
    EXPECT_EQ(tagsMenuCaption(), QStringLiteral("O&nglets"));
}

TEST(TagCommandTable, DropDownsHoldTheirVariantsInOrder)
{
    struct Row
    {
        const char *button;
        DropDownStyle style;
        const char *dropDownId;
        QStringList variants;
    };
    const Row rows[] = {
        {"FontBtn",
         DropDownStyle::SeparateArrow,
         "FontPlusBtn",
         {"Police71", "Tailledepolice61", "Tailledepolice51", "Tailledepolice41", "Tailledepolice31",
          "Tailledepolice21", "Tailledepolice11", "Tailledepolice12", "Tailledepolice22", "Tailledepolice32",
          "Tailledepolice42", "Tailledepolice52", "Tailledepolice62", "Tailledepolice71"}},
        {"H1H6Btn", DropDownStyle::Only, "H1H6Btn", {"H1", "H2", "H3", "H4", "H5", "H6"}},
        {"PreBtn", DropDownStyle::Split, "PREp", {"PRE1", "PRE2", "PRE3"}},
        {"BRBtn", DropDownStyle::Split, "BRp", {"BR1", "BR2", "BR3", "BR4", "NOBR1"}},
        {"PBtn", DropDownStyle::Split, "Pp", {"PMenu1", "PMenu2", "PMenu3", "PMenu4"}},
    };
    int buttonsWithVariants = 0;
    for (const TagPage &page : tagPages()) {
        for (const TagButton &b : page.buttons) {
            if (b.dropDown == DropDownStyle::None) {
                EXPECT_TRUE(b.variants.isEmpty()) << qPrintable(b.command.id);
                continue;
            }
            ++buttonsWithVariants;
            const Row *row = nullptr;
            for (const Row &r : rows) {
                if (b.command.id == QString::fromLatin1(r.button))
                    row = &r;
            }
            ASSERT_NE(row, nullptr) << qPrintable(b.command.id);
            EXPECT_EQ(int(b.dropDown), int(row->style));
            EXPECT_EQ(b.dropDownId, QString::fromLatin1(row->dropDownId));
            EXPECT_FALSE(b.dropDownCaption.isEmpty());
            QStringList ids;
            for (const TagCommand &v : b.variants) {
                ids << v.id;
                // Every variant is reachable from the menu too.
                EXPECT_FALSE(v.menuId.isEmpty()) << qPrintable(v.id);
            }
            EXPECT_EQ(ids, row->variants);
        }
    }
    EXPECT_EQ(buttonsWithVariants, 5);
}

TEST(TagCommandTable, FontSizesRunFromMinusSevenToPlusSevenWithoutZero)
{
    const TagButton *font = nullptr;
    for (const TagButton &b : tagPages().at(0).buttons) {
        if (b.command.id == QStringLiteral("FontBtn"))
            font = &b;
    }
    ASSERT_NE(font, nullptr);
    QStringList sizes;
    for (const TagCommand &v : font->variants) {
        ASSERT_TRUE(v.startText.startsWith(QStringLiteral("<FONT SIZE=")));
        ASSERT_TRUE(v.startText.endsWith(u'>'));
        const QString size = v.startText.mid(11, v.startText.size() - 12);
        EXPECT_TRUE(v.caption.endsWith(QStringLiteral(" ") + size)) << qPrintable(v.caption);
        EXPECT_EQ(v.endText, QStringLiteral("</FONT>"));
        sizes << size;
    }
    EXPECT_EQ(sizes, QStringList({"-7", "-6", "-5", "-4", "-3", "-2", "-1", "+1", "+2", "+3", "+4", "+5", "+6", "+7"}));
}

TEST(TagCommandTable, Invariants)
{
    QSet<QString> names;
    QSet<QString> shortcuts;
    const QList<const TagCommand *> all = allTagCommands();
    EXPECT_EQ(all.size(), 61 + 14 + 6 + 3 + 5 + 4);
    for (const TagCommand *c : all) {
        SCOPED_TRACE(qPrintable(c->id));
        // Names identify one command each, across buttons and menu items.
        ASSERT_FALSE(c->id.isEmpty());
        EXPECT_FALSE(names.contains(c->id));
        names.insert(c->id);
        if (!c->menuId.isEmpty()) {
            EXPECT_FALSE(names.contains(c->menuId));
            names.insert(c->menuId);
        }
        if (!c->shortcut.isEmpty()) {
            EXPECT_FALSE(shortcuts.contains(c->shortcut)) << qPrintable(c->shortcut);
            shortcuts.insert(c->shortcut);
        }
        EXPECT_FALSE(c->caption.isEmpty());
        EXPECT_FALSE(c->startText.contains(u'\r') || c->startText.contains(u'\n'));
        EXPECT_FALSE(c->endText.contains(u'\r') || c->endText.contains(u'\n'));
        switch (c->mode) {
        case TagMode::Wrap:
            EXPECT_FALSE(c->startText.isEmpty());
            EXPECT_FALSE(c->endText.isEmpty());
            EXPECT_EQ(c->undoKind(), ukWrap);
            break;
        case TagMode::Insert:
            EXPECT_FALSE(c->startText.isEmpty());
            EXPECT_TRUE(c->endText.isEmpty());
            EXPECT_EQ(c->undoKind(), ukInsert);
            break;
        default:
            EXPECT_TRUE(c->startText.isEmpty() && c->endText.isEmpty());
            EXPECT_FALSE(c->isDirect());
            break;
        }
    }
    EXPECT_EQ(findTagCommand(QStringLiteral("NoSuchBtn")), nullptr);
    EXPECT_EQ(findTagCommand(QString()), nullptr);
}

// Every button shows a drawn glyph: the file exists and the resource file
// lists it.
TEST(TagCommandTable, EveryButtonHasAGlyphFile)
{
    const QDir resources = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../src/resources"));
    QFile qrc(resources.filePath(QStringLiteral("icons.qrc")));
    ASSERT_TRUE(qrc.open(QIODevice::ReadOnly));
    const QString listed = QString::fromUtf8(qrc.readAll());
    QStringList glyphs;
    for (const TagPage &page : tagPages()) {
        for (const TagButton &b : page.buttons) {
            EXPECT_FALSE(b.command.glyph.isEmpty()) << qPrintable(b.command.id);
            glyphs << b.command.glyph << b.variantsGlyph();
            for (const TagCommand &v : b.variants) {
                if (!v.glyph.isEmpty())
                    glyphs << v.glyph;
            }
        }
    }
    for (const QString &g : glyphs) {
        const QString file = g + QStringLiteral(".svg");
        EXPECT_TRUE(resources.exists(QStringLiteral("icons/") + file)) << qPrintable(file);
        EXPECT_TRUE(listed.contains(QStringLiteral("alias=\"") + file + u'"')) << qPrintable(file);
    }
}

} // namespace
