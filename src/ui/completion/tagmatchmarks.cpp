#include "ui/completion/tagmatchmarks.h"

#include "ui/text/editorwidget.h"

TagMatchMarks::TagMatchMarks(EditorWidget *editor)
    : QObject(editor)
    , m_editor(editor)
{
    m_format.setBackground(QColor(0xFF, 0xE0, 0x8A));
    m_format.setFontUnderline(true);
    editor->addOverlay(this);
    m_delay.setSingleShot(true);
    m_delay.setInterval(DelayMs);
    connect(&m_delay, &QTimer::timeout, this, &TagMatchMarks::update);
    for (auto change : {&TextView::cursorPositionChanged, &TextView::textChanged, &TextView::storeReplaced})
        connect(editor, change, &m_delay, qOverload<>(&QTimer::start));
    connect(editor, &EditorWidget::closing, this, &TagMatchMarks::release);
}

TagMatchMarks::~TagMatchMarks()
{
    release();
}

void TagMatchMarks::release()
{
    if (!m_editor)
        return;
    m_editor->removeOverlay(this);
    disconnect(m_editor, nullptr, this, nullptr);
    m_editor = nullptr;
}

QList<QTextLayout::FormatRange> TagMatchMarks::formats(int line, int from, int to)
{
    Q_UNUSED(from);
    Q_UNUSED(to);
    QList<QTextLayout::FormatRange> ranges;
    for (const auto &mark : {m_at, m_match}) {
        if (mark && m_match && mark->line == line)
            ranges.append({mark->column, mark->length, m_format});
    }
    return ranges;
}

QList<tagscan::TagMark> TagMatchMarks::marks() const
{
    if (!m_at || !m_match)
        return {};
    return {*m_at, *m_match};
}

void TagMatchMarks::repaintMarks()
{
    for (const auto &mark : {m_at, m_match}) {
        if (mark && mark->line < m_editor->store().lineCount())
            m_editor->refreshFormats(mark->line, mark->line);
    }
}

void TagMatchMarks::update()
{
    if (!m_editor)
        return;
    const LineStore &store = m_editor->store();
    const int position = m_editor->position();
    const int line = store.lineOf(position);
    std::optional<tagscan::TagMark> at;
    std::optional<tagscan::TagMark> match;
    if (!m_editor->hasSelection()) {
        at = tagscan::tagNameAt(store, line, position - store.lineStart(line));
        if (at)
            match = tagscan::matchingTag(store, *at);
    }
    if (!match)
        at.reset();
    if (at == m_at && match == m_match)
        return;
    repaintMarks();
    m_at = at;
    m_match = match;
    repaintMarks();
}
