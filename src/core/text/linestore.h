#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// A page's text as the editor holds it: a list of lines without their line
// breaks. Positions count one character per line break ("store positions";
// the text contract converts them to its CR LF positions). Built in one pass
// from text with line breaks of any form (CR LF, LF, lone CR and the marks of
// isLineBreakMark), on any thread. Edits cost the length of the lines they
// touch plus a move of the line list when lines come or go; position queries
// are logarithmic after the first query past an edit.
class LineStore
{
public:
    // One empty line.
    LineStore();
    explicit LineStore(QStringView text);

    int lineCount() const { return int(m_lines.size()); }
    const QString &line(int index) const { return m_lines[size_t(index)]; }
    int lineLength(int index) const { return int(m_lines[size_t(index)].size()); }
    // Store position of the line's first character.
    int lineStart(int index) const;
    // The line holding position (clamped to the text).
    int lineOf(int position) const;
    // Characters plus one per line break.
    int length() const { return int(m_length); }

    // The lines joined by lineBreak, and the part between two positions.
    QString text(QStringView lineBreak = u"\n") const;
    QString slice(int from, int to, QStringView lineBreak = u"\n") const;

    // Replaces the removed characters at from (clamped to the text) by text,
    // whose line breaks of any form each become one. Returns the number of
    // store positions inserted.
    int replace(int from, int removed, QStringView text);

private:
    void validateStartsThrough(int index) const;

    std::vector<QString> m_lines;
    qint64 m_length = 0;
    // Line starts, valid for lines below m_validStarts.
    mutable std::vector<int> m_starts;
    mutable int m_validStarts = 0;
};
