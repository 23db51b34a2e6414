#pragma once

#include "core/text/linestore.h"

#include <QFont>
#include <QList>
#include <QTextLayout>

#include <map>
#include <memory>

// The laid-out lines of a TextView: one QTextLayout per line, made when the
// view first asks for the line and kept until the line changes or a setting
// does. Every row of a line is as high as the font's rows, so that a line's
// height is its row count times rowHeight(). Line coordinates start at the
// line's top left corner.
//
// Input-method preedit text shows inside the layout of the caret's line;
// columns given to and returned by the mapping functions are store columns,
// whatever preedit text sits among them.
class TextViewLayout
{
public:
    explicit TextViewLayout(const LineStore &store);
    ~TextViewLayout();

    // Each setting drops every layout when it changes.
    void setFont(const QFont &font);
    const QFont &font() const { return m_font; }
    void setTabStopDistance(qreal distance);
    // Rows wrap at width; 0 or less: no wrap.
    void setWrapWidth(qreal width);
    qreal wrapWidth() const { return m_wrapWidth; }

    int rowHeight() const { return m_rowHeight; }
    QTextLayout *layout(int line);
    int rowCount(int line);
    // Rows of a line already laid out; 1 for the others (not shown, so not
    // laid out just to be counted).
    int knownRowCount(int line) const;
    std::size_t cachedCount() const { return m_lines.size(); }
    // Row of the line that holds column (the row a caret there shows on).
    int rowOf(int line, int column);
    // First and end column of a row.
    int rowStart(int line, int row);
    int rowEnd(int line, int row);

    // Caret x of column in its row.
    qreal xOf(int line, int column);
    // Column nearest to x in row.
    int columnAt(int line, int row, qreal x);
    // Next and previous caret stops (graphemes or words) and visual
    // left/right moves; a result equal to column means the line's edge.
    int nextColumn(int line, int column, QTextLayout::CursorMode mode);
    int previousColumn(int line, int column, QTextLayout::CursorMode mode);
    int leftColumn(int line, int column);
    int rightColumn(int line, int column);

    // The layout column of a store column and back (they differ after the
    // preedit text).
    int toLayout(int line, int column) const;
    int fromLayout(int line, int layoutColumn) const;

    // Preedit text at column of line (empty text: none); formats relative to
    // the preedit text.
    void setPreedit(int line, int column, const QString &text, const QList<QTextLayout::FormatRange> &formats);
    bool hasPreedit() const { return !m_preedit.isEmpty(); }
    int preeditLine() const { return m_preeditLine; }
    int preeditColumn() const { return m_preeditColumn; }

    // An edit replaced lines first..last of the old text by count lines.
    void linesReplaced(int first, int last, int count);
    // Drops the layouts of lines outside first..last.
    void keepOnly(int first, int last);
    void clear();
    // Lines whose colours must be asked for again.
    void invalidateFormats(int first, int last);
    bool formatsValid(int line) const;
    const QList<QTextLayout::FormatRange> &formats(int line) const;
    void setFormats(int line, QList<QTextLayout::FormatRange> formats);

    // Number of lines laid out so far, and the widest laid out (no wrap).
    qint64 laidOutCount() const { return m_laidOut; }
    qreal widest() const { return m_widest; }
    void resetWidest() { m_widest = 0; }

private:
    struct Entry
    {
        std::unique_ptr<QTextLayout> layout;
        QList<QTextLayout::FormatRange> formats;
        bool formatsValid = false;
    };
    Entry &entry(int line);
    int visualMove(int line, int column, bool left);
    QTextLine rowLine(int line, int row);

    const LineStore &m_store;
    QFont m_font;
    qreal m_tabStop = 80;
    qreal m_wrapWidth = 0;
    int m_rowHeight = 1;
    std::map<int, Entry> m_lines;
    qint64 m_laidOut = 0;
    qreal m_widest = 0;
    int m_preeditLine = -1;
    int m_preeditColumn = 0;
    QString m_preedit;
    QList<QTextLayout::FormatRange> m_preeditFormats;
};
