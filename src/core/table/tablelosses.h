#pragma once

#include <QString>
#include <QStringList>

// What the table reader meets in an author's table that the designer's
// model cannot hold, and which rewriting the table would therefore drop:
// other tags (THEAD, TBODY, COL...), comments, text outside the cells,
// attributes it cannot keep as written or values it would read
// differently, cells beyond the column count. Blanks and line breaks
// between tags are layout and never count.
class TableLosses
{
public:
    enum class Tag { Table, Caption, Row, Cell };

    // Checks every attribute of a start tag (the text between the tag name
    // and its ">", line breaks as blanks) and returns the attributes the
    // designer does not edit but can keep, as asWritten (the same text with
    // its line breaks) holds them, each after a blank.
    QString checkAttributes(Tag tag, const QString &attributeText, const QString &asWritten);
    // Checks text the reader passes over between the parts it takes.
    void checkSkipped(const QString &text);
    void cellBeyondColumns(int row);
    void spanCut(int column, int row);
    // A row with fewer cells than the table, which empty cells complete.
    void rowPadded(int row);

    bool isEmpty() const;
    // One French line per kind of loss, details joined.
    QStringList items() const;

private:
    void note(QStringList &list, const QString &item);

    QStringList m_tags;
    QStringList m_attributes;
    QStringList m_values;
    QStringList m_cells;
    QStringList m_spans;
    QStringList m_padded;
    bool m_comments = false;
    bool m_text = false;
};
