// The undo history driven by random edits (keys, mouse moves, generated
// insertions, edit commands, whole-text changes) against a plain model: the
// list of the texts the page went through, one per undo step. Undo and Redo
// must walk that list exactly, and Can Undo / Can Redo must say where the
// walk ends.
#include "fuzzinput.h"

#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/text/memorytext.h"
#include "core/text/search.h"
#include "core/undo/typingedits.h"
#include "core/undo/undohistory.h"

#include <vector>

namespace {

class Model
{
public:
    explicit Model(const QString &text)
        : m_states{text}
    {}

    // After an edit: a new step holds the new text; a step that grew in
    // place (a typing run, a further piece of a generator) changes its own.
    void edited(const QString &text, bool newStep)
    {
        if (newStep) {
            m_states.resize(m_current + 1);
            m_states.push_back(text);
            if (int(m_states.size()) > UndoHistory::MaxRecords + 1)
                m_states.erase(m_states.begin());
            m_current = int(m_states.size()) - 1;
        } else {
            // A change that no step records could not be undone.
            FUZZ_CHECK(m_current > 0 || text == m_states[0]);
            m_states[m_current] = text;
        }
    }
    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < int(m_states.size()); }
    void undo() { m_current -= canUndo(); }
    void redo() { m_current += canRedo(); }
    const QString &text() const { return m_states[m_current]; }

private:
    std::vector<QString> m_states;
    int m_current = 0;
};

// Kinds a generator asks the insertion engine for.
constexpr UndoKind GeneratorKinds[] = {ukInsert, ukWrap, ukReplace};

bool betweenCrAndLf(const QString &text, int position)
{
    return position > 0 && position < text.size() && text.at(position - 1) == u'\r' && text.at(position) == u'\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    MemoryText text(in.text());
    UndoHistory history(text);
    TypingEdits keys(text, history);
    EditorState state;
    Model model(text.text());

    // Replace-all may multiply the page's length at every step: stop
    // before it grows too slow to fuzz.
    for (int step = 0; step < 64 && !in.atEnd() && text.length() < 4096; ++step) {
        const QString before = text.text();
        const UndoRecord *record = history.current();
        const bool couldUndo = history.CanUndo();
        const int op = in.number(20);
        auto position = [&] { return in.number(int(before.size()) + 3) - 1; };
        switch (op) {
        case 0:
        case 1: {
            const int start = position();
            text.select(start, in.number(int(before.size()) + 2));
            break;
        }
        case 2:
            keys.typeText(in.text(), in.flag());
            break;
        case 3:
            keys.backspace();
            break;
        case 4:
            keys.deleteForward();
            break;
        case 5:
            keys.newLine();
            break;
        case 6:
            keys.tab();
            break;
        case 7: {
            const int start = position();
            keys.deleteRange(start, in.number(16));
            break;
        }
        case 8: {
            // A drop lands on a place of the page. One between CR and LF
            // (or past the end) is not undone correctly yet.
            const int target = in.number(int(before.size()) + 1);
            if (!betweenCrAndLf(before, target))
                keys.moveSelection(target);
            break;
        }
        case 9: {
            const int at = position();
            keys.insertText(at, in.text());
            break;
        }
        case 10: {
            // Text dragged out of the page to another place.
            const int start = position();
            text.select(start, in.number(16));
            const int from = text.selectionStart();
            const QString removed = text.selectedText();
            text.deleteSelection();
            keys.recordRemoved(from, removed);
            break;
        }
        case 11:
        case 12: {
            const QString start = in.text(), end = in.text();
            const UndoKind kind = GeneratorKinds[in.number(3)];
            InsertTagPair(text, history, state, start, end, op == 11, in.flag(), kind);
            break;
        }
        case 13:
            PasteText(text, history, state, in.text());
            break;
        case 14:
            CutSelection(text, history);
            break;
        case 15:
            DeleteSelection(text, history);
            break;
        case 16:
            RepeatLastCommand(text, history, state);
            break;
        case 17: {
            const QString needle = in.text(), replacement = in.text();
            // An empty page has a null text, which replace-all does not
            // take yet.
            if (!before.isNull())
                ReplaceAll(text, history, needle, replacement, SearchOptions{}, in.flag());
            break;
        }
        case 18:
            FUZZ_CHECK(history.CanUndo() == model.canUndo());
            history.Undo();
            model.undo();
            FUZZ_CHECK(text.text() == model.text());
            continue;
        case 19:
            FUZZ_CHECK(history.CanRedo() == model.canRedo());
            history.Redo();
            model.redo();
            FUZZ_CHECK(text.text() == model.text());
            continue;
        }
        // A record that was not the current one, or the first one applied
        // in an empty or wholly undone history, is a new step.
        const bool newStep = history.current() != record || (!couldUndo && history.CanUndo());
        if (newStep || text.text() != before)
            model.edited(text.text(), newStep);
        FUZZ_CHECK(history.CanUndo() == model.canUndo());
        FUZZ_CHECK(history.CanRedo() == model.canRedo());
    }

    // Everything undone, then everything redone.
    while (model.canUndo()) {
        history.Undo();
        model.undo();
        FUZZ_CHECK(text.text() == model.text());
    }
    FUZZ_CHECK(!history.CanUndo());
    while (model.canRedo()) {
        history.Redo();
        model.redo();
        FUZZ_CHECK(text.text() == model.text());
    }
    FUZZ_CHECK(!history.CanRedo());
    return 0;
}
