#include "ui/spelling/pagespelling.h"

#include "core/spelling/prosewords.h"
#include "core/spelling/speller.h"
#include "ui/shell/backgroundthread.h"
#include "ui/text/editorwidget.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimerEvent>

#include <climits>
#include <iterator>

namespace {

// The pause in typing after which the lines typed in are checked.
constexpr int HoldMs = 500;
// A job checks about this much text: small enough for its result to come
// back between two keystrokes, large enough for the hand-over to cost little.
constexpr int ChunkLines = 1000;
constexpr int ChunkCharacters = 64 * 1024;
// Lines far above the screen are only read for their state, this many at a
// time, on the way to the lines shown.
constexpr int MaxReadLines = 4000;
// Edits in the first lines may change the page's language.
constexpr int LanguageLines = 1000;
constexpr int UnknownState = -1;

} // namespace

struct PageSpelling::LineInfo
{
    // The state the line ends in; kept after an edit to tell whether the
    // lines below must be read again.
    int endState = UnknownState;
    // endState holds for the line's text and the state it starts in.
    bool known = false;
    // Its marks are those of its text and the current dictionary.
    bool spelled = false;
    std::unique_ptr<std::vector<SpellingMark>> marks;
};

struct PageSpelling::Job
{
    quint64 id = 0;
    int first = 0;
    int spellFrom = 0;
    int startState = prose::StartState;
    std::vector<QString> lines;
    QString dictionary;
    quint64 generation = 0;
};

struct PageSpelling::Result
{
    quint64 id = 0;
    int first = 0;
    int spellFrom = 0;
    QString dictionary;
    quint64 generation = 0;
    std::vector<int> endStates;
    std::vector<std::vector<SpellingMark>> marks;
};

PageSpelling::PageSpelling(EditorWidget *editor, std::shared_ptr<SpellingService> service)
    : QObject(editor)
    , m_editor(editor)
    , m_service(std::move(service))
{
    setObjectName(QStringLiteral("spelling"));
    m_format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    m_format.setUnderlineColor(Qt::red);
    connect(editor, &TextView::contentsChange, this, &PageSpelling::contentsChanged);
    connect(editor, &TextView::storeReplaced, this, &PageSpelling::storeReplaced);
    // Children go after the editor's own parts: it is let go of first.
    connect(editor, &EditorWidget::closing, this, [this] {
        m_editor = nullptr;
        m_hold.stop();
        m_next.stop();
    });
    editor->addOverlay(this);
    storeReplaced();
}

PageSpelling::~PageSpelling()
{
    if (m_editor)
        m_editor->removeOverlay(this);
}

QList<QTextLayout::FormatRange> PageSpelling::formats(int line, int from, int to)
{
    QList<QTextLayout::FormatRange> result;
    if (line < 0 || size_t(line) >= m_lines.size() || !m_lines[size_t(line)].marks)
        return result;
    for (const SpellingMark &mark : *m_lines[size_t(line)].marks) {
        if (mark.start < to && mark.start + mark.length > from)
            result.append(QTextLayout::FormatRange{mark.start, mark.length, m_format});
    }
    return result;
}

std::optional<PageSpelling::Found> PageSpelling::markAt(int position) const
{
    if (!m_editor)
        return std::nullopt;
    const LineStore &store = m_editor->store();
    const int line = store.lineOf(position);
    const int column = position - store.lineStart(line);
    if (size_t(line) >= m_lines.size() || !m_lines[size_t(line)].marks)
        return std::nullopt;
    // The caret just after a word is still on it.
    for (const SpellingMark &mark : *m_lines[size_t(line)].marks) {
        if (column >= mark.start && column <= mark.start + mark.length)
            return Found{line, mark};
    }
    return std::nullopt;
}

std::vector<SpellingMark> PageSpelling::marksOf(int line) const
{
    if (line < 0 || size_t(line) >= m_lines.size() || !m_lines[size_t(line)].marks)
        return {};
    return *m_lines[size_t(line)].marks;
}

void PageSpelling::wordAccepted(const QString &word)
{
    for (size_t line = 0; line < m_lines.size(); ++line) {
        auto &marks = m_lines[line].marks;
        if (!marks)
            continue;
        const auto gone = std::erase_if(
            *marks, [&word](const SpellingMark &mark) { return mark.word.compare(word, Qt::CaseInsensitive) == 0; });
        if (gone && m_editor)
            m_editor->refreshFormats(int(line), int(line));
    }
    recheckAll();
}

bool PageSpelling::isComplete() const
{
    return !m_running && (m_dictionary.isEmpty() || lineNeedingWork() < 0);
}

void PageSpelling::contentsChanged(int position, int removed, int added)
{
    const LineStore &store = m_editor->store();
    // Lines first..lastOld became first..lastNew.
    const int first = store.lineOf(position);
    const int lastNew = store.lineOf(position + added);
    const int lastOld = lastNew - (store.lineCount() - int(m_lines.size()));
    auto lines = m_lines.begin();
    if (first == lastOld && first == lastNew) {
        // Within one line the marks before the edit stay and those after it
        // move with the text.
        if (auto &marks = m_lines[size_t(first)].marks) {
            const int column = position - store.lineStart(first);
            std::erase_if(*marks, [&](SpellingMark &mark) {
                if (mark.start + mark.length < column)
                    return false;
                if (mark.start > column + removed) {
                    mark.start += added - removed;
                    return false;
                }
                return true;
            });
        }
    } else {
        const int oldEnd = m_lines[size_t(lastOld)].endState;
        m_lines.erase(lines + first, lines + lastOld + 1);
        std::vector<LineInfo> fresh(size_t(lastNew - first + 1));
        m_lines.insert(m_lines.begin() + first, std::make_move_iterator(fresh.begin()),
                       std::make_move_iterator(fresh.end()));
        m_lines[size_t(lastNew)].endState = oldEnd;
    }
    for (int line = first; line <= lastNew; ++line) {
        m_lines[size_t(line)].known = false;
        m_lines[size_t(line)].spelled = false;
    }
    m_firstPending = std::min(m_firstPending, first);
    if (m_running)
        m_edits.push_back(Edit{first, lastOld, lastNew});

    // The lines typed in wait, with those of the edits just before.
    if (m_hold.isActive() && m_heldFirst <= lastOld + 1 && m_heldLast + 1 >= first) {
        m_heldFirst = std::min(m_heldFirst, first);
        m_heldLast = std::max(m_heldLast > lastOld ? m_heldLast + lastNew - lastOld : m_heldLast, lastNew);
    } else {
        m_heldFirst = first;
        m_heldLast = lastNew;
    }
    m_hold.start(HoldMs, this);
    m_editor->refreshFormats(first, lastNew);
    if (first < LanguageLines)
        chooseDictionary();
    schedule();
}

void PageSpelling::storeReplaced()
{
    m_lines.clear();
    m_lines.resize(size_t(m_editor->store().lineCount()));
    m_firstPending = 0;
    m_hold.stop();
    m_edits.clear();
    // The running job read another text.
    ++m_jobId;
    m_linesChecked = 0;
    m_dictionary.clear();
    chooseDictionary();
    m_editor->refreshFormats();
    schedule();
}

void PageSpelling::chooseDictionary()
{
    const QString dictionary = m_service->dictionaryFor(prose::pageLanguage(m_editor->store()));
    if (dictionary == m_dictionary)
        return;
    m_dictionary = dictionary;
    recheckAll();
}

void PageSpelling::invalidate(int line)
{
    LineInfo &info = m_lines[size_t(line)];
    info.known = false;
    info.spelled = false;
    m_firstPending = std::min(m_firstPending, line);
}

void PageSpelling::recheckAll()
{
    for (LineInfo &info : m_lines)
        info.spelled = false;
    m_firstPending = 0;
    if (m_editor && !m_next.isActive())
        m_next.start(0, this);
}

bool PageSpelling::isHeld(int line) const
{
    return m_hold.isActive() && line >= m_heldFirst && line <= m_heldLast;
}

int PageSpelling::lineNeedingWork() const
{
    if (!m_editor)
        return -1;
    const int count = int(m_lines.size());
    const int bottom = std::min(m_editor->lastVisibleLine(), count - 1);
    for (int line = std::max(0, m_editor->firstVisibleLine()); line <= bottom; ++line) {
        if (!m_lines[size_t(line)].spelled && !isHeld(line))
            return line;
    }
    while (m_firstPending < count && m_lines[size_t(m_firstPending)].spelled)
        ++m_firstPending;
    for (int line = m_firstPending; line < count; ++line) {
        if (!m_lines[size_t(line)].spelled && !isHeld(line))
            return line;
    }
    return -1;
}

void PageSpelling::schedule()
{
    if (m_running || m_dictionary.isEmpty() || !m_editor)
        return;
    const int line = lineNeedingWork();
    if (line >= 0)
        start(line);
}

void PageSpelling::start(int spellFrom)
{
    // Reading starts after the nearest line whose end state is known.
    int first = spellFrom;
    while (first > 0 && !m_lines[size_t(first - 1)].known)
        --first;
    const LineStore &store = m_editor->store();
    const int count = store.lineCount();
    int end = spellFrom;
    if (spellFrom - first > MaxReadLines) {
        end = first + MaxReadLines;
        spellFrom = end;
    } else {
        int characters = 0;
        while (end < count && end - spellFrom < ChunkLines && characters < ChunkCharacters
               && (end == spellFrom || (!m_lines[size_t(end)].spelled && !isHeld(end)))) {
            characters += store.lineLength(end);
            ++end;
        }
    }

    Job job;
    job.id = ++m_jobId;
    job.first = first;
    job.spellFrom = spellFrom;
    job.startState = first > 0 ? m_lines[size_t(first - 1)].endState : prose::StartState;
    // Copies of the lines share their characters with the editor's.
    job.lines.reserve(size_t(end - first));
    for (int line = first; line < end; ++line)
        job.lines.push_back(store.line(line));
    job.dictionary = m_dictionary;
    job.generation = m_service->acceptedGeneration();
    m_running = true;
    m_edits.clear();

    QPointer<PageSpelling> self(this);
    QMetaObject::invokeMethod(
        backgroundThread("spelling"),
        [self, service = m_service, job = std::move(job)] {
            Result result;
            result.id = job.id;
            result.first = job.first;
            result.spellFrom = job.spellFrom;
            result.dictionary = job.dictionary;
            result.generation = job.generation;
            Speller *speller = service->speller(job.dictionary);
            int state = job.startState;
            std::vector<prose::Word> words;
            for (size_t i = 0; i < job.lines.size(); ++i) {
                const bool spell = job.first + int(i) >= job.spellFrom;
                words.clear();
                state = prose::readLine(job.lines[i], state, spell ? &words : nullptr);
                result.endStates.push_back(state);
                if (!spell)
                    continue;
                std::vector<SpellingMark> &marks = result.marks.emplace_back();
                for (prose::Word &word : words) {
                    if (speller && !speller->isCorrect(word.word))
                        marks.push_back(SpellingMark{word.start, word.length, std::move(word.word)});
                }
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, result = std::move(result)]() mutable {
                    if (self)
                        self->finished(std::move(result));
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

int PageSpelling::mapLine(int line) const
{
    for (const Edit &edit : m_edits) {
        if (line < edit.first)
            continue;
        if (line <= edit.lastOld)
            return -1;
        line += edit.lastNew - edit.lastOld;
    }
    return line;
}

void PageSpelling::finished(Result result)
{
    m_running = false;
    if (result.id != m_jobId || !m_editor) {
        schedule();
        return;
    }
    // Marks found with another dictionary, or before a word was accepted,
    // are not kept; the states still hold.
    const bool marksHold = result.dictionary == m_dictionary && result.generation == m_service->acceptedGeneration();
    const int count = int(m_lines.size());
    int refreshFirst = INT_MAX;
    int refreshLast = -1;
    for (size_t k = 0; k < result.endStates.size(); ++k) {
        const int line = mapLine(result.first + int(k));
        if (line < 0)
            continue;
        LineInfo &info = m_lines[size_t(line)];
        const bool stateChanged = info.endState != result.endStates[k];
        info.endState = result.endStates[k];
        info.known = true;
        const int spelledIndex = result.first + int(k) - result.spellFrom;
        if (spelledIndex >= 0 && marksHold) {
            std::vector<SpellingMark> &marks = result.marks[size_t(spelledIndex)];
            const bool had = info.marks && !info.marks->empty();
            if (had || !marks.empty()) {
                if (!had || *info.marks != marks) {
                    refreshFirst = std::min(refreshFirst, line);
                    refreshLast = std::max(refreshLast, line);
                }
                info.marks = marks.empty() ? nullptr : std::make_unique<std::vector<SpellingMark>>(std::move(marks));
            }
            info.spelled = true;
            ++m_linesChecked;
        }
        // The line below starts in another state now: it is read again,
        // unless this result holds it too.
        const bool nextInResult = k + 1 < result.endStates.size() && mapLine(result.first + int(k) + 1) == line + 1;
        if (stateChanged && line + 1 < count && !nextInResult)
            invalidate(line + 1);
    }
    m_edits.clear();
    if (refreshLast >= 0)
        m_editor->refreshFormats(refreshFirst, refreshLast);
    emit progressed();
    m_next.start(0, this);
}

void PageSpelling::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_hold.timerId()) {
        m_hold.stop();
        schedule();
    } else if (event->timerId() == m_next.timerId()) {
        m_next.stop();
        schedule();
        if (isComplete())
            emit progressed();
    } else {
        QObject::timerEvent(event);
    }
}
