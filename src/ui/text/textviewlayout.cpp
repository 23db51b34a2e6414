#include "ui/text/textviewlayout.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <QtMath>

#include <algorithm>

namespace {

// A row width that no line reaches, for lines that do not wrap.
constexpr qreal UnwrappedWidth = 1e9;

} // namespace

TextViewLayout::TextViewLayout(const LineStore &store)
    : m_store(store)
{
    setFont(QFont());
}

TextViewLayout::~TextViewLayout() = default;

void TextViewLayout::setFont(const QFont &font)
{
    m_font = font;
    m_rowHeight = std::max(1, qCeil(QFontMetricsF(font).height()));
    clear();
}

void TextViewLayout::setTabStopDistance(qreal distance)
{
    if (qFuzzyCompare(distance, m_tabStop))
        return;
    m_tabStop = distance;
    clear();
}

void TextViewLayout::setWrapWidth(qreal width)
{
    width = std::max<qreal>(width, 0);
    if (qFuzzyCompare(width + 1, m_wrapWidth + 1))
        return;
    m_wrapWidth = width;
    clear();
}

TextViewLayout::Entry &TextViewLayout::entry(int line)
{
    return m_lines[line];
}

QTextLayout *TextViewLayout::layout(int line)
{
    line = std::clamp(line, 0, m_store.lineCount() - 1);
    Entry &e = entry(line);
    if (e.layout)
        return e.layout.get();
    auto layout = std::make_unique<QTextLayout>(m_store.line(line), m_font);
    QTextOption option;
    option.setTabStopDistance(m_tabStop);
    option.setWrapMode(m_wrapWidth > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    // Right-to-left lines start at the left edge too: the view's x range
    // then never depends on a line's direction.
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    if (line == m_preeditLine && !m_preedit.isEmpty()) {
        layout->setPreeditArea(m_preeditColumn, m_preedit);
        QList<QTextLayout::FormatRange> formats = m_preeditFormats;
        for (QTextLayout::FormatRange &range : formats)
            range.start += m_preeditColumn;
        layout->setFormats(formats);
    }
    layout->beginLayout();
    for (int row = 0;; ++row) {
        QTextLine textLine = layout->createLine();
        if (!textLine.isValid())
            break;
        textLine.setLineWidth(m_wrapWidth > 0 ? m_wrapWidth : UnwrappedWidth);
        textLine.setPosition(QPointF(0, qreal(row) * m_rowHeight));
    }
    layout->endLayout();
    ++m_laidOut;
    if (m_wrapWidth <= 0 && layout->lineCount() > 0)
        m_widest = std::max(m_widest, layout->lineAt(0).naturalTextWidth());
    e.layout = std::move(layout);
    return e.layout.get();
}

int TextViewLayout::rowCount(int line)
{
    return std::max(1, layout(line)->lineCount());
}

int TextViewLayout::knownRowCount(int line) const
{
    const auto it = m_lines.find(line);
    return it != m_lines.end() && it->second.layout ? std::max(1, it->second.layout->lineCount()) : 1;
}

QTextLine TextViewLayout::rowLine(int line, int row)
{
    QTextLayout *l = layout(line);
    return l->lineAt(std::clamp(row, 0, std::max(0, l->lineCount() - 1)));
}

int TextViewLayout::rowOf(int line, int column)
{
    QTextLayout *l = layout(line);
    const QTextLine textLine = l->lineForTextPosition(toLayout(line, column));
    return textLine.isValid() ? textLine.lineNumber() : std::max(0, l->lineCount() - 1);
}

int TextViewLayout::rowStart(int line, int row)
{
    const QTextLine textLine = rowLine(line, row);
    return textLine.isValid() ? fromLayout(line, textLine.textStart()) : 0;
}

int TextViewLayout::rowEnd(int line, int row)
{
    const QTextLine textLine = rowLine(line, row);
    return textLine.isValid() ? fromLayout(line, textLine.textStart() + textLine.textLength()) : 0;
}

qreal TextViewLayout::xOf(int line, int column)
{
    QTextLayout *l = layout(line);
    const int at = toLayout(line, column);
    QTextLine textLine = l->lineForTextPosition(at);
    if (!textLine.isValid())
        textLine = l->lineAt(l->lineCount() - 1);
    return textLine.isValid() ? textLine.cursorToX(at) : 0;
}

int TextViewLayout::columnAt(int line, int row, qreal x)
{
    QTextLayout *l = layout(line);
    const QTextLine textLine = rowLine(line, row);
    if (!textLine.isValid())
        return 0;
    int at = textLine.xToCursor(x, QTextLine::CursorBetweenCharacters);
    // The end of a wrapped row is the start of the next one, where a caret
    // shows on the next row: stay on this row.
    if (textLine.lineNumber() + 1 < l->lineCount() && at >= textLine.textStart() + textLine.textLength()
        && at > textLine.textStart())
        at = l->previousCursorPosition(textLine.textStart() + textLine.textLength());
    return fromLayout(line, at);
}

int TextViewLayout::nextColumn(int line, int column, QTextLayout::CursorMode mode)
{
    return fromLayout(line, layout(line)->nextCursorPosition(toLayout(line, column), mode));
}

int TextViewLayout::previousColumn(int line, int column, QTextLayout::CursorMode mode)
{
    return fromLayout(line, layout(line)->previousCursorPosition(toLayout(line, column), mode));
}

int TextViewLayout::leftColumn(int line, int column)
{
    return visualMove(line, column, true);
}

int TextViewLayout::rightColumn(int line, int column)
{
    return visualMove(line, column, false);
}

int TextViewLayout::visualMove(int line, int column, bool left)
{
    QTextLayout *l = layout(line);
    int at = toLayout(line, column);
    // Visual moves through right-to-left runs may stop between the halves of
    // a surrogate pair: step on to the next place a caret can be.
    for (int step = 0; step < 4; ++step) {
        const int next = left ? l->leftCursorPosition(at) : l->rightCursorPosition(at);
        if (next == at)
            break;
        at = next;
        if (l->isValidCursorPosition(at))
            return fromLayout(line, at);
    }
    return column;
}

int TextViewLayout::toLayout(int line, int column) const
{
    if (line == m_preeditLine && column > m_preeditColumn)
        return column + int(m_preedit.size());
    return column;
}

int TextViewLayout::fromLayout(int line, int layoutColumn) const
{
    if (line != m_preeditLine || layoutColumn <= m_preeditColumn)
        return layoutColumn;
    return std::max(m_preeditColumn, layoutColumn - int(m_preedit.size()));
}

void TextViewLayout::setPreedit(int line, int column, const QString &text,
                                const QList<QTextLayout::FormatRange> &formats)
{
    if (m_preeditLine >= 0)
        if (auto it = m_lines.find(m_preeditLine); it != m_lines.end())
            it->second.layout.reset();
    m_preedit = text;
    m_preeditFormats = formats;
    m_preeditLine = text.isEmpty() ? -1 : line;
    m_preeditColumn = column;
    if (m_preeditLine >= 0)
        if (auto it = m_lines.find(m_preeditLine); it != m_lines.end())
            it->second.layout.reset();
}

void TextViewLayout::linesReplaced(int first, int last, int count)
{
    const int delta = count - (last - first + 1);
    std::map<int, Entry> kept;
    for (auto &[line, e] : m_lines) {
        if (line < first)
            kept.emplace(line, std::move(e));
        else if (line > last)
            kept.emplace(line + delta, std::move(e));
    }
    m_lines = std::move(kept);
    if (m_preeditLine >= first && m_preeditLine <= last)
        setPreedit(-1, 0, QString(), {});
    else if (m_preeditLine > last)
        m_preeditLine += delta;
}

void TextViewLayout::keepOnly(int first, int last)
{
    m_lines.erase(m_lines.begin(), m_lines.lower_bound(first));
    m_lines.erase(m_lines.upper_bound(last), m_lines.end());
}

void TextViewLayout::clear()
{
    m_lines.clear();
    m_widest = 0;
}

void TextViewLayout::invalidateFormats(int first, int last)
{
    auto begin = first < 0 ? m_lines.begin() : m_lines.lower_bound(first);
    auto end = last < 0 ? m_lines.end() : m_lines.upper_bound(last);
    for (auto it = begin; it != end; ++it)
        it->second.formatsValid = false;
}

bool TextViewLayout::formatsValid(int line) const
{
    const auto it = m_lines.find(line);
    return it != m_lines.end() && it->second.formatsValid;
}

const QList<QTextLayout::FormatRange> &TextViewLayout::formats(int line) const
{
    static const QList<QTextLayout::FormatRange> none;
    const auto it = m_lines.find(line);
    return it == m_lines.end() ? none : it->second.formats;
}

void TextViewLayout::setFormats(int line, QList<QTextLayout::FormatRange> formats)
{
    Entry &e = entry(line);
    e.formats = std::move(formats);
    e.formatsValid = true;
}
