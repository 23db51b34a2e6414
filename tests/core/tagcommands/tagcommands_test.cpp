#include "core/tagcommands/tagcommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

namespace {

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
            break;
        case TagMode::Insert:
            EXPECT_FALSE(c->startText.isEmpty());
            EXPECT_TRUE(c->endText.isEmpty());
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
