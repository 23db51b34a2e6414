#include "ui/highlight/htmlcolouring.h"

#include "core/highlight/highlightcolours.h"
#include "ui/text/editorwidget.h"

#include <QEvent>

HtmlColouring::HtmlColouring(EditorWidget *editor)
    : QObject(editor)
    , m_editor(editor)
    , m_lineCount(editor->store().lineCount())
{
    takeColoursFromPalette();
    connect(editor, &TextView::contentsChange, this, &HtmlColouring::contentsChanged);
    connect(editor, &TextView::storeReplaced, this, &HtmlColouring::storeReplaced);
    // Children go after the editor's own parts: it is let go of first.
    connect(editor, &EditorWidget::closing, this, [this] { m_editor = nullptr; });
    editor->installEventFilter(this);
    editor->setLineFormats(this);
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
    const int edited = store.lineOf(position);
    const bool sameLines = store.lineCount() == m_lineCount && edited == store.lineOf(position + added);
    m_lineCount = store.lineCount();
    m_endStates.resize(size_t(m_lineCount));
    if (sameLines && edited < m_validLines) {
        // A change within one line: the states below hold while this line
        // ends in the same state as before.
        const int before = m_endStates[size_t(edited)];
        const int after = htmllex::lexLine(store.line(edited), startStateOf(edited), nullptr);
        m_endStates[size_t(edited)] = after;
        if (after == before)
            return;
        m_validLines = edited + 1;
    } else {
        m_validLines = std::min(m_validLines, edited);
    }
    // The lines below may now start in another state.
    m_editor->refreshFormats(edited + 1, -1);
}

void HtmlColouring::storeReplaced()
{
    m_validLines = 0;
    m_lineCount = m_editor->store().lineCount();
    m_endStates.clear();
}

int HtmlColouring::startStateOf(int line) const
{
    return line > 0 ? m_endStates[size_t(line - 1)] : htmllex::StartState;
}

void HtmlColouring::computeStatesThrough(int line)
{
    const LineStore &store = m_editor->store();
    line = std::min(line, store.lineCount() - 1);
    m_endStates.resize(size_t(store.lineCount()));
    for (; m_validLines <= line; ++m_validLines)
        m_endStates[size_t(m_validLines)] =
            htmllex::lexLine(store.line(m_validLines), startStateOf(m_validLines), nullptr);
}

void HtmlColouring::prepare(int /*firstLine*/, int lastLine)
{
    // The states of the lines before the first one painted are needed too.
    computeStatesThrough(lastLine);
}

QList<QTextLayout::FormatRange> HtmlColouring::formats(int line)
{
    computeStatesThrough(line);
    m_tokens.clear();
    htmllex::lexLine(m_editor->store().line(line), startStateOf(line), &m_tokens);
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(qsizetype(m_tokens.size()));
    for (const htmllex::Token &token : m_tokens)
        ranges.append(QTextLayout::FormatRange{token.start, token.length, m_formats[size_t(token.kind)]});
    return ranges;
}
