#include "core/text/memorytext.h"
#include "core/text/search.h"
#include "core/undo/undohistory.h"
#include "core/messages/messages.h"
#include "support/fakeprompts.h"
#include "core/wholetext/compaction.h"
#include "core/wholetext/entities.h"
#include "core/wholetext/passprogress.h"
#include "support/qstringprinter.h"
#include "core/wholetext/wholetext.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Command = std::function<bool(DocumentText &, UndoHistory &, Prompts &, PassProgress *)>;

struct CommandCase
{
    const char *name;
    Command run;
    int question;
    QString before;
    QString after;
    QString report;
};

std::vector<CommandCase> commandCases()
{
    return {
        {"to entities", ConvertCharactersToEntities, 22, QStringLiteral("caf\u00E9 cr\u00E9\u00E9"),
         QStringLiteral("caf&eacute; cr&eacute;&eacute;"), QStringLiteral("3") + msg(4)},
        {"from entities", ConvertEntitiesToCharacters, 23, QStringLiteral("caf&eacute; &lt;"),
         QStringLiteral("caf\u00E9 &lt;"), QStringLiteral("1") + msg(5)},
        {"compaction", CompactPageTags, 82, QStringLiteral("<P>\r\n   Texte  suivi"), QStringLiteral("<P> Texte suivi"),
         msg(83)},
    };
}

class CountingProgress : public PassProgress
{
public:
    void begin() override { ++begins; }
    void step(int percent) override { last = percent; }
    void end() override { ++ends; }
    int begins = 0;
    int ends = 0;
    int last = -1;
};

} // namespace

TEST(WholeTextCommands, ConfirmedRewritesAsOneUndoStepAndReports)
{
    for (const CommandCase &c : commandCases()) {
        MemoryText text(c.before);
        text.select(2, 3);
        UndoHistory undo(text);
        FakePrompts prompts;
        prompts.answers = {Prompts::Answer::Yes};
        CountingProgress progress;
        EXPECT_TRUE(c.run(text, undo, prompts, &progress)) << c.name;
        EXPECT_EQ(str(text.text()), str(c.after)) << c.name;
        EXPECT_EQ(str(prompts.shown), str(QStringLiteral("information:") + c.report)) << c.name;
        EXPECT_EQ(progress.begins, 1) << c.name;
        EXPECT_EQ(progress.ends, 1) << c.name;
        EXPECT_EQ(progress.last, 100) << c.name;

        ASSERT_EQ(undo.count(), 1) << c.name;
        EXPECT_EQ(undo.current()->kind, ukWholeText) << c.name;
        undo.Undo();
        EXPECT_EQ(text.text(), c.before) << c.name;
        EXPECT_FALSE(undo.CanUndo()) << c.name;
        undo.Redo();
        EXPECT_EQ(str(text.text()), str(c.after)) << c.name;
    }
}

TEST(WholeTextCommands, RefusedBuildLeavesTextAndHistoryAlone)
{
    MemoryText text(QStringLiteral("abc"));
    UndoHistory undo(text);
    EXPECT_FALSE(applyWholeText(text, undo, [](const QString &) { return std::optional<QString>(); }));
    EXPECT_EQ(text.text(), QStringLiteral("abc"));
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_TRUE(applyWholeText(text, undo, [](const QString &old) { return std::optional<QString>(old + old); }));
    EXPECT_EQ(text.text(), QStringLiteral("abcabc"));
    undo.Undo();
    EXPECT_EQ(text.text(), QStringLiteral("abc"));
    undo.Redo();
    EXPECT_EQ(text.text(), QStringLiteral("abcabc"));
}

// A page of 50 MB with the awkward parts of real pages: every pass must get
// through it in one sweep.
TEST(WholeTextCommands, FiftyMegabytePageGoesThroughEveryPass)
{
    const QString chunk = QStringLiteral("<P CLASS=\"x\">L'\u00E9t\u00E9 \u00E0 la plage &eacute;\r\n"
                                         "<!-- \u00E9 --> <SCRIPT>function f() { if (a < b) { c(); } }</SCRIPT>\r\n"
                                         "    &trade; {  <  \r\n");
    const QString page = chunk.repeated(50'000'000 / chunk.size() + 1) + QStringLiteral("<!--");
    QElapsedTimer timer;
    timer.start();
    EXPECT_GT(charactersToEntities(page).count, 0);
    EXPECT_GT(entitiesToCharacters(page).count, 0);
    EXPECT_LT(compactTags(page).size(), page.size());
    EXPECT_GT(replaceAllInText(page, 0, u"la", u"le", SearchOptions{false, true}).count, 0);
    EXPECT_GT(countReplacements(page, 0, u"A", SearchOptions{true, false}), 0);

    // Generous: a quadratic pass would take hours.
    EXPECT_LT(timer.elapsed(), 120'000);
}
