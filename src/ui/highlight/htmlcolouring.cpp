#include "ui/highlight/htmlcolouring.h"

#include "core/highlight/highlightcolours.h"
#include "ui/text/editorwidget.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimerEvent>

#include <algorithm>

namespace {

// Reading ahead waits a moment after a page opens or changes, then reads a
// slice of lines every few milliseconds.
constexpr int ReadAheadPause = 200;
constexpr int ReadAheadGap = 2;
constexpr qint64 ReadAheadSlice = 4;
constexpr int ReadAheadLines = 1024;

} // namespace

HtmlColouring::HtmlColouring(EditorWidget *editor)
    : QObject(editor)
    , m_editor(editor)
    , m_lineCount(editor->store().lineCount())
{
    takeColoursFromPalette();
    connect(editor, &TextView::contentsChange, this, &HtmlColouring::contentsChanged);
    connect(editor, &TextView::storeReplaced, this, &HtmlColouring::storeReplaced);
    // Children go after the editor's own parts: it is let go of first.
    connect(editor, &EditorWidget::closing, this, [this] {
        m_editor = nullptr;
        m_readAhead.stop();
    });
    editor->installEventFilter(this);
    editor->setLineFormats(this);
    storeReplaced();
}

HtmlColouring::~HtmlColouring()
{
    if (m_editor)
        m_editor->setLineFormats(nullptr);
}

void HtmlColouring::takeColoursFromPalette()
{
    const QPalette palette = m_editor->palette();
    const htmllex::Colours colours = htmllex::coloursFor(palette.color(QPalette::Text).rgb() & 0xFFFFFF,
                                                         palette.color(QPalette::Base).rgb() & 0xFFFFFF);
    for (int k = 0; k < htmllex::KindCount; ++k)
        m_formats[size_t(k)].setForeground(QColor::fromRgb(colours.of[size_t(k)]));
}

bool HtmlColouring::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && watched == m_editor) {
        takeColoursFromPalette();
        m_editor->refreshFormats();
    }
    return QObject::eventFilter(watched, event);
}

void HtmlColouring::contentsChanged(int position, int /*removed*/, int added)
{
    const LineStore &store = m_editor->store();
    m_tokensLine = -1;
    // Lines first..lastOld became first..lastNew.
    const int first = store.lineOf(position);
    const int lastNew = store.lineOf(position + added);
    const int delta = store.lineCount() - m_lineCount;
    const int lastOld = lastNew - delta;
    m_lineCount = store.lineCount();
    // The old end state of lastOld stays at lastNew: the text after the edit
    // on that line is the same.
    auto states = m_endStates.begin();
    if (size_t(lastOld) < m_endStates.size()) {
        m_endStates.erase(states + first, states + lastOld);
        m_endStates.insert(m_endStates.begin() + first, size_t(lastNew - first), htmllex::StartState);
    }
    m_endStates.resize(size_t(m_lineCount), htmllex::StartState);
    // States read of the text below the edit may hold again.
    int staleEnd = 0;
    if (lastOld < m_validLines)
        staleEnd = m_validLines;
    if (lastOld >= m_staleFrom && lastOld < m_staleEnd)
        staleEnd = std::max(staleEnd, m_staleEnd);
    m_staleFrom = lastNew;
    m_staleEnd = staleEnd > lastOld ? staleEnd + delta : 0;
    const bool known = first <= m_validLines;
    m_validLines = std::min(m_validLines, first);
    // Pieces of a long edited line after the edit may change colour.
    if (position - store.lineStart(first) < ColouredLength)
        m_editor->refreshFormats(first, lastNew);
    if (known) {
        // The edited lines at once: when the last one ends as before, the
        // lines below keep their colours.
        computeStatesThrough(lastNew);
        if (m_validLines > lastNew + 1 || lastNew + 1 >= m_lineCount)
            return;
    }
    // The lines below may now start in another state.
    m_editor->refreshFormats(lastNew + 1, -1);
    if (!m_readAhead.isActive())
        m_readAhead.start(ReadAheadPause, this);
}

void HtmlColouring::storeReplaced()
{
    m_validLines = 0;
    m_staleEnd = 0;
    m_tokensLine = -1;
    m_lineCount = m_editor->store().lineCount();
    m_endStates.assign(size_t(m_lineCount), htmllex::StartState);
    m_readAhead.start(ReadAheadPause, this);
}

int HtmlColouring::startStateOf(int line) const
{
    return line > 0 ? m_endStates[size_t(line - 1)] : htmllex::StartState;
}

int HtmlColouring::endStateOf(int line, int startState) const
{
    const QString &text = m_editor->store().line(line);
    return text.size() > ColouredLength ? htmllex::StartState : htmllex::lexLine(text, startState, nullptr);
}

void HtmlColouring::computeStatesThrough(int line)
{
    line = std::min(line, m_lineCount - 1);
    while (m_validLines <= line) {
        const int at = m_validLines;
        const int state = endStateOf(at, startStateOf(at));
        const bool same = at >= m_staleFrom && at < m_staleEnd && m_endStates[size_t(at)] == state;
        m_endStates[size_t(at)] = state;
        m_validLines = same ? m_staleEnd : at + 1;
    }
}

void HtmlColouring::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_readAhead.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    readAhead();
}

void HtmlColouring::readAhead()
{
    // A few milliseconds at a time, so that keys and paints go first.
    QElapsedTimer clock;
    clock.start();
    while (m_validLines < m_lineCount && !clock.hasExpired(ReadAheadSlice))
        computeStatesThrough(m_validLines + ReadAheadLines);
    if (m_validLines >= m_lineCount)
        m_readAhead.stop();
    else
        m_readAhead.start(ReadAheadGap, this);
}

QList<QTextLayout::FormatRange> HtmlColouring::formats(int line, int from, int to)
{
    // Asked in the middle of an edit, before it was told of it: the edited
    // lines are asked again after.
    if (m_editor->store().lineCount() != m_lineCount)
        return {};
    computeStatesThrough(line - 1);
    if (m_tokensLine != line) {
        const QString &text = m_editor->store().line(line);
        m_tokens.clear();
        htmllex::lexLine(QStringView(text).first(std::min<qsizetype>(text.size(), ColouredLength)), startStateOf(line),
                         &m_tokens);
        m_tokensLine = line;
    }
    auto token = std::lower_bound(m_tokens.begin(), m_tokens.end(), from,
                                  [](const htmllex::Token &t, int column) { return t.start + t.length <= column; });
    QList<QTextLayout::FormatRange> ranges;
    for (; token != m_tokens.end() && token->start < to; ++token)
        ranges.append(QTextLayout::FormatRange{token->start, token->length, m_formats[size_t(token->kind)]});
    return ranges;
}
