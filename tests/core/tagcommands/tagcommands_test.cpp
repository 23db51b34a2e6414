#include "core/tagcommands/tagcommands.h"

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

// A sample of every kind: buttons with and without menu twins, drop-down
// items, shortcuts, the blanks of the comment marks.
const Expected expectedCommands[] = {
    {"CenterBtn", "Centrer1", "Centré", "Ctrl+T", "<CENTER>", "</CENTER>", TagMode::Wrap},
    {"SBtn", "Souligner1", "Souligné", "Ctrl+U", "<U>", "</U>", TagMode::Wrap},
    {"PreBtn", "", "Préformaté", "", "<PRE>", "</PRE>", TagMode::Wrap},
    {"PRE3", "PRE31", "Sur 132 colonnes", "", "<PRE WIDTH=132>", "</PRE>", TagMode::Wrap},
    {"BRBtn", "", "Retour de chariot", "", "<BR>", "", TagMode::Insert},
    {"BR1", "BR11", "Sans vérifier la marge (par défaut)", "Ctrl+B", "<BR>", "", TagMode::Insert},
    {"BR4", "BR41", "Jusqu'à marge droite et gauche libres", "", "<BR CLEAR=ALL>", "", TagMode::Insert},
    {"NOBR1", "NOBR51", "Empêcher retour de chariot", "", "<NOBR>", "</NOBR>", TagMode::Wrap},
    {"PMenu1", "Pmenu11", "A gauche (par défaut)", "Ctrl+P", "<P>", "", TagMode::Insert},
    {"PMenu2", "Pmenu21", "A gauche (forcée)", "", "<P ALIGN=LEFT>", "</P>", TagMode::Wrap},
    {"CommentBtn", "Commentaire1", "Commentaire", "Ctrl+M", "<!-- ", " -->", TagMode::Wrap},
    {"H6", "H61", "En-tête de niveau 6", "", "<H6>", "</H6>", TagMode::Wrap},
    {"Tailledepolice12", "Tailledepolice14", "Taille de police +1", "", "<FONT SIZE=+1>", "</FONT>", TagMode::Wrap},
    {"CouleurBtn", "Couleurenhexadcimal1", "Couleur en hexadécimal", "", "", "", TagMode::Colour},
    {"carsetBtn", "Caractresspciaux1", "Caractères spéciaux", "F7", "", "", TagMode::Dialog},
    {"Table3dBtn", "Table3d", "Tableau3D (Explorer)", "", "", "", TagMode::Dialog},
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

TEST(TagCommandTable, Invariants)
{
    QSet<QString> names;
    QSet<QString> shortcuts;
    QStringList withoutMenuItem;
    const QList<const TagCommand *> all = allTagCommands();
    EXPECT_EQ(all.size(), 61 + 14 + 6 + 3 + 5 + 4);
    for (const TagCommand *c : all) {
        SCOPED_TRACE(qPrintable(c->id));
        // Names identify one command each, across buttons and menu items.
        ASSERT_FALSE(c->id.isEmpty());
        EXPECT_FALSE(names.contains(c->id));
        names.insert(c->id);
        if (c->menuId.isEmpty()) {
            withoutMenuItem << c->id;
        } else {
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
    // Only buttons whose variants carry the menu items lack a twin.
    EXPECT_EQ(withoutMenuItem, QStringList({"H1H6Btn", "PreBtn", "BRBtn", "PBtn"}));
    EXPECT_EQ(findTagCommand(QStringLiteral("NoSuchBtn")), nullptr);
    EXPECT_EQ(findTagCommand(QString()), nullptr);
}

// Every button shows a drawn glyph: the file exists and the resource file
// lists it.
TEST(TagCommandTable, EveryButtonHasAGlyphFile)
{
    const QDir resources(QStringLiteral(TESSALINE_SOURCE_DIR "/src/resources"));
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
