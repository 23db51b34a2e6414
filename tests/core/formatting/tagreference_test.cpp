#include "core/formatting/charorder.h"
#include "core/formatting/fontmarkup.h"
#include "core/formatting/tagreference.h"
#include "core/tagcommands/tagcommands.h"
#include "core/wholetext/entities.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The data file of the source tree, wherever the build folder is.
QString shippedReference()
{
    return QStringLiteral(TESSALINE_SOURCE_DIR "/data/htmldesc.ref");
}

TEST(TagReference, ReadsEntriesAndTheirDescriptions)
{
    const TagReference r = parseTagReference("  avant toute entrée\r\n<B></B>\r\n  Texte en\r\n\t  gras.\r\n  \r\n"
                                             "\tAttributs: aucun.  \r\n\r\n<BR>\n<HR>\r  Ligne.\r\n\r\n",
                                             QStringLiteral("htmldesc.ref"));
    EXPECT_TRUE(r.error.isEmpty());
    ASSERT_EQ(r.entries.size(), 3);
    EXPECT_EQ(str(r.entries[0].tag), "<B></B>");
    EXPECT_EQ(str(r.entries[0].description), "Texte en gras.\nAttributs: aucun.");
    EXPECT_EQ(str(r.entries[1].description), "");
    EXPECT_EQ(str(r.entries[2].tag), "<HR>");
    EXPECT_EQ(str(r.entries[2].description), "Ligne.");
}

TEST(TagReference, RefusesWhatIsNotAReferenceWithAMessage)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool write;
    } cases[] = {
        {"missing", {}, false},
        {"binary", QByteArray("<B></B>\n\0\x01\x02", 10), true},
        {"no entry", "   rien que des descriptions\n\n", true},
        {"empty", "", true},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        if (c.write) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        const TagReference r = loadTagReference(path);
        EXPECT_TRUE(r.entries.isEmpty()) << c.name;
        EXPECT_TRUE(r.error.startsWith(QStringLiteral("[htmldesc.ref] "))) << c.name << " " << str(r.error);
    }
}

TEST(TagReference, EntryInsertion)
{
    const struct
    {
        const char *entry;
        const char *start;
        const char *end;
        UndoKind kind;
    } cases[] = {
        {"<B></B>", "<B>", "</B>", ukWrap}, {"<A HREF=\"\"></A>", "<A HREF=\"\">", "</A>", ukWrap},
        {"<BR>", "<BR>", "", ukInsert},     {"<!-- -->", "<!-- ", " -->", ukWrap},
        {"<!--", "<!-- ", " -->", ukWrap},  {"<!DOCTYPE HTML>", "<!DOCTYPE HTML>", "", ukInsert},
    };
    for (const auto &c : cases) {
        const TagReferenceInsertion i = tagReferenceInsertion(QString::fromUtf8(c.entry));
        EXPECT_EQ(str(i.texts.start), c.start) << c.entry;
        EXPECT_EQ(str(i.texts.end), c.end) << c.entry;
        EXPECT_EQ(i.kind, c.kind) << c.entry;
    }
}

// The shipped file: sorted, each pair closing its own tag, described, and
// covering every element that the program writes.
TEST(TagReference, ShippedFileCoversWhatTheProgramWrites)
{
    const TagReference r = loadTagReference(shippedReference());
    ASSERT_TRUE(r.error.isEmpty()) << str(r.error);

    static const QRegularExpression Name(QStringLiteral("^<(/?)([A-Z][A-Z0-9]*|!--|!DOCTYPE)"));
    QSet<QString> names;
    QString previous;
    for (const TagReferenceEntry &e : r.entries) {
        EXPECT_LT(previous, e.tag) << "out of order: " << str(e.tag);
        previous = e.tag;
        EXPECT_FALSE(e.description.isEmpty()) << str(e.tag);
        const auto start = Name.match(e.tag);
        ASSERT_TRUE(start.hasMatch()) << str(e.tag);
        names.insert(start.captured(2));
        const TagPair texts = tagReferenceInsertion(e.tag).texts;
        if (!texts.end.isEmpty() && start.captured(2) != u"!--") {
            EXPECT_EQ(str(texts.end), str(QStringLiteral("</") + start.captured(2) + u'>')) << str(e.tag);
        }
    }

    QStringList written;
    for (const TagCommand *c : allTagCommands()) {
        for (const QString &t : {c->startText, c->endText}) {
            const auto m = Name.match(t);
            if (m.hasMatch())
                written << m.captured(2);
        }
    }
    for (const FontStyle &s : fontStyles())
        written << Name.match(QString::fromUtf16(s.start)).captured(2);
    written << QStringList{"FONT",   "BASEFONT", "HR",    "OL",      "UL",      "DL",      "DT",       "DD",
                           "LI",     "MENU",     "DIR",   "A",       "IMG",     "MAP",     "AREA",     "BODY",
                           "APPLET", "PARAM",    "TABLE", "TR",      "TD",      "TH",      "CAPTION",  "FRAMESET",
                           "FRAME",  "NOFRAMES", "FORM",  "INPUT",   "SELECT",  "OPTION",  "TEXTAREA", "TITLE",
                           "BASE",   "META",     "LINK",  "ISINDEX", "MARQUEE", "BGSOUND", "IFRAME",   "EMBED",
                           "SCRIPT", "HTML",     "HEAD"};
    for (const QString &name : written)
        EXPECT_TRUE(names.contains(name)) << "no entry for " << str(name);
}

// The picker and the whole-text conversion share one table.
TEST(SpecialCharacters, PickerOrderFollowsTheEntityTable)
{
    const QList<PickerCharacter> &cells = pickerCharacters();
    QStringList entities;
    for (const PickerCharacter &c : cells)
        entities << c.entity;

    QStringList letters;
    for (const EntityPair &pair : entityTable()) {
        if (pair.character >= 0xC0 && pair.character <= 0xFF)
            letters << QString::fromUtf16(pair.entity.data(), qsizetype(pair.entity.size()));
    }
    ASSERT_EQ(letters.size(), 62);
    std::sort(letters.begin(), letters.end());
    const QStringList expected =
        QStringList{"&lt;", "&gt;", "&amp;", "&quot;"} + letters
        + QStringList{"&reg;",  "&copy;",  "&#160;", "&#162;", "&#163;", "&#171;", "&#187;", "&#177;",
                      "&#176;", "&trade;", "&#161;", "&#191;", "&#188;", "&#189;", "&#190;", "&#183;",
                      "&#184;", "&#182;",  "&#185;", "&#178;", "&#179;", "&#180;", "&#181;", "&#168;",
                      "&#170;", "&#186;",  "&#165;", "&#166;", "&#167;", "&#164;"};
    EXPECT_EQ(str(entities), str(expected));
    EXPECT_EQ(str(entities[4]), "&AElig;");
    EXPECT_LT(entities.indexOf("&Yacute;"), entities.indexOf("&aacute;"));

    // Each cell's character converts to its own entity, except the few the
    // conversion deliberately leaves alone.
    for (const PickerCharacter &c : cells) {
        const std::u16string_view converted = entityFor(c.character.unicode());
        if (converted.empty()) {
            EXPECT_TRUE(QStringList({"&lt;", "&gt;", "&amp;", "&quot;", "&#160;"}).contains(c.entity)) << str(c.entity);
        } else {
            EXPECT_EQ(str(QString::fromUtf16(converted.data(), qsizetype(converted.size()))), str(c.entity));
        }
    }
}

} // namespace
