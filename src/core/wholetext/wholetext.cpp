#include "core/wholetext/wholetext.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"
#include "core/wholetext/compaction.h"
#include "core/wholetext/entities.h"
#include "core/wholetext/passprogress.h"

#include <new>

bool applyWholeText(DocumentText &text, UndoHistory &undo, const WholeTextBuilder &build)
{
    try {
        const QString before = text.text();
        const std::optional<QString> built = build(before);
        if (!built || built->size() > DocumentText::MaxLength)
            return false;
        // Recorded as the page will hold it, line breaks of any kind made
        // CR LF, so that a later Redo gives the same text.
        const QString after = toCrLf(*built);
        // The step keeps only what changed, not the two whole texts.
        undo.RecordWholeText(TextDiff::between(before, after));
        text.setTextKeepingPlace(after);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

namespace {

// Shows the progress for the length of a pass, even when it fails.
class ProgressScope
{
public:
    explicit ProgressScope(PassProgress *progress)
        : m_progress(progress)
    {
        if (m_progress)
            m_progress->begin();
    }
    ~ProgressScope()
    {
        if (m_progress)
            m_progress->end();
    }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    PassProgress *m_progress;
};

// Confirms, runs one pass, tells the outcome.
bool runPass(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress, int question,
             const WholeTextBuilder &pass, const std::function<QString()> &report)
{
    if (!prompts.askYesNo(msg(question)))
        return false;
    bool applied = false;
    {
        ProgressScope scope(progress);
        applied = applyWholeText(text, undo, pass);
    }
    if (!applied) {
        prompts.error(Texts::WholeTextTooLong);
        return false;
    }
    prompts.information(report());
    return true;
}

} // namespace

bool ConvertCharactersToEntities(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress)
{
    qsizetype count = 0;
    return runPass(
        text, undo, prompts, progress, 22,
        [&](const QString &before) -> std::optional<QString> {
            TextConversion result = charactersToEntities(before, progress);
            count = result.count;
            return result.text;
        },
        [&] { return QString::number(count) + msg(4); });
}

bool ConvertEntitiesToCharacters(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress)
{
    qsizetype count = 0;
    return runPass(
        text, undo, prompts, progress, 23,
        [&](const QString &before) -> std::optional<QString> {
            TextConversion result = entitiesToCharacters(before, progress);
            count = result.count;
            return result.text;
        },
        [&] { return QString::number(count) + msg(5); });
}

bool CompactPageTags(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress)
{
    return runPass(
        text, undo, prompts, progress, 82,
        [&](const QString &before) -> std::optional<QString> { return compactTags(before, progress); },
        [] { return msg(83); });
}
