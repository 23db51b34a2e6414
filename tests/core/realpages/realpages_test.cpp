// Every element a dialog re-edits, in every page of the real-page corpus:
// selected as the author would, read by the dialog's reader and written back
// by its writer with no field changed. The page must come back unchanged.

#include "core/attributes/starttag.h"
#include "core/body/bodytag.h"
#include "core/formatting/listmarkup.h"
#include "core/formatting/rulemarkup.h"
#include "core/image/imageelement.h"
#include "core/imagemap/mapreader.h"
#include "core/imagemap/mapwriter.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/media/mediatags.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "support/headlessbrowser.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A page as the editor holds it: UTF-8 when the bytes are, else
// Windows-1252 (here Latin-1), line ends as CR LF.
QString pageText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

QStringList corpus()
{
    const QDir dir(QStringLiteral(TESSALINE_SOURCE_DIR "/tests/data/realpages"));
    QStringList pages;
    for (const QString &name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name))
        pages << dir.filePath(name);
    return pages;
}

// The output of a dialog confirmed without a change on the element text it
// was opened with.
using Rewrite = std::function<QStringList(const QString &element)>;

QString one(const QStringList &pieces)
{
    return pieces.join(QString());
}

struct Kind
{
    const char *command;  // the command that opens the dialog
    const char16_t *name; // the element
    bool withContent;     // the selection runs on past the tag
    Rewrite rewrite;
};

const Kind Kinds[] = {
    {"ImgBtn", u"IMG", false,
     [](const QString &e) { return QStringList{ImageTagToWrite(e, ReadImageElement(e), false)}; }},
    {"ImageBtn", u"INPUT", false,
     [](const QString &e) { return QStringList{ImageTagToWrite(e, ReadImageElement(e), true)}; }},
    {"HrBtn", u"HR", false, [](const QString &e) { return QStringList{ruleTagToWrite(e, readRuleTag(e))}; }},
    {"OlBtn", u"OL", true, [](const QString &e) { return listPiecesToWrite(e, readList(ListKind::Ordered, e)); }},
    {"ULbtn", u"UL", true, [](const QString &e) { return listPiecesToWrite(e, readList(ListKind::Unordered, e)); }},
    {"DlBtn", u"DL", true, [](const QString &e) { return listPiecesToWrite(e, readList(ListKind::Definition, e)); }},
    {"MenuBtn", u"MENU", true, [](const QString &e) { return listPiecesToWrite(e, readList(ListKind::Menu, e)); }},
    {"DirBtn", u"DIR", true, [](const QString &e) { return listPiecesToWrite(e, readList(ListKind::Directory, e)); }},
    {"JavaBtn", u"APPLET", true, [](const QString &e) { return AppletPiecesToWrite(e, ReadApplet(e)); }},
};

// Selects each element of the kind in turn and confirms its dialog; returns
// how many were re-edited.
int reEditEach(MemoryText &text, UndoHistory &undo, const Kind &kind)
{
    int count = 0;
    for (StartTag tag = FindStartTag(text.text(), kind.name); tag.isValid();
         tag = FindStartTag(text.text(), kind.name, tag.start + 1)) {
        const int end = kind.withContent ? text.length() : int(tag.end);
        text.select(int(tag.start), end - int(tag.start));
        EditorState state;
        if (ApplyElementEditMode(text, state, MarkersForCommand(QString::fromLatin1(kind.command)))
            != ElementEditMode::Edit)
            continue;
        const QStringList pieces = kind.rewrite(state.SelectedElementText);
        for (qsizetype i = 0; i < pieces.size(); ++i)
            InsertTagPair(text, undo, state, pieces.at(i), QString(), i == 0, true, i == 0 ? ukReplace : ukInsert);
        ++count;
    }
    return count;
}

int reEditBody(MemoryText &text, UndoHistory &undo)
{
    const QString element = BodyElementToEdit(text);
    if (element.isEmpty())
        return 0;
    EditorState state;
    FakePrompts prompts;
    prompts.answers.push_back(FakePrompts::Answer::Yes);
    WriteBodyTag(text, undo, state, prompts, ReadBodyTag(element));
    return 1;
}

// Each map with its picture: the selection runs from the tag before the
// map (its picture, on most pages) through the page's end.
int reEditMaps(MemoryText &text, UndoHistory &undo)
{
    int count = 0;
    for (StartTag map = FindStartTag(text.text(), u"MAP"); map.isValid();
         map = FindStartTag(text.text(), u"MAP", map.start + 1)) {
        const QString all = text.text();
        const qsizetype picture = all.lastIndexOf(QStringLiteral("<IMG"), map.start, Qt::CaseInsensitive);
        const int from = int(picture < 0 ? map.start : picture);
        text.select(from, text.length() - from);
        EditorState state;
        if (NarrowSelectionToMap(text, state) != MapSelection::Map)
            continue;
        const MapReading reading = ReadSelectedMap(state.SelectedElementText);
        MapModel model;
        LoadMap(model, reading);
        WriteMap(text, undo, state, MapPiecesToWrite(reading, reading.name, model.lines(), model.imageTag));
        ++count;
    }
    return count;
}

TEST(RealPages, ConfirmingEveryDialogUnchangedKeepsThePage)
{
    const QStringList pages = corpus();
    ASSERT_GE(pages.size(), 10);
    QMap<QString, int> reEdited;
    for (const QString &path : pages) {
        const QString original = pageText(path);
        ASSERT_FALSE(original.isEmpty()) << path.toStdString();
        MemoryText text(original);
        UndoHistory undo(text);
        for (const Kind &kind : Kinds)
            reEdited[QString::fromUtf16(kind.name)] += reEditEach(text, undo, kind);
        reEdited[QStringLiteral("BODY")] += reEditBody(text, undo);
        reEdited[QStringLiteral("MAP")] += reEditMaps(text, undo);
        // Byte for byte: no normalisation is needed by any dialog. Should one
        // ever be, a browser must still see the same elements and attributes.
        EXPECT_EQ(text.text(), original) << path.toStdString();
        if (text.text() != original && HeadlessBrowser::available())
            EXPECT_EQ(HeadlessBrowser::dumpDomOfMarkup(text.text()), HeadlessBrowser::dumpDomOfMarkup(original))
                << path.toStdString();
    }
    // The corpus holds every kind, so none of the checks above is empty.
    for (auto it = reEdited.cbegin(); it != reEdited.cend(); ++it)
        EXPECT_GT(it.value(), 0) << it.key().toStdString();
}

// What a browser makes of values written by the one escaping rule: the
// attribute values are the texts the author typed.
TEST(RealPages, BrowsersReadEscapedValuesAsTyped)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << HeadlessBrowser::missingReason().toStdString();
    const QStringList values = {QStringLiteral("dire(\"a b\")"), QStringLiteral("éditeur, \"HTML\" & tableaux"),
                                QStringLiteral("a.php?x=1&y=2&copy=3"), QStringLiteral("&amp; &#38; <b>")};
    QString page = QStringLiteral("<!DOCTYPE html><meta charset=\"utf-8\"><body>");
    for (const QString &v : values)
        page += QStringLiteral("<p title=") + QuotedValue(v) + QStringLiteral("></p>");
    page += QStringLiteral("<script>document.body.setAttribute('data-seen', [...document.querySelectorAll('p')]"
                           ".map(p => p.title).join('\\u0001'))</script></body>");
    const QString dom = HeadlessBrowser::dumpDomOfMarkup(page);
    ASSERT_FALSE(dom.isEmpty());
    const StartTag body = FindStartTag(dom, u"body");
    EXPECT_EQ(body.value(u"data-seen").value_or(QString()), values.join(QChar(1)));
}

} // namespace
