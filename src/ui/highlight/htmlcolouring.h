#pragma once

#include "core/highlight/htmllexer.h"
#include "ui/text/textview.h"

#include <QObject>
#include <QTextCharFormat>

#include <array>
#include <vector>

class EditorWidget;

// Colours the HTML of one editor while it lives (child of the editor).
//
// Only the lines about to be painted get their colours, when the view asks
// for them. The lexer state at the end of each line is kept; states are known
// up to m_validLines and an edit only moves that mark back to the edited line.
// A keystroke that leaves its line's end state unchanged keeps every state
// below it.
class HtmlColouring : public QObject, public LineFormats
{
    Q_OBJECT
public:
    explicit HtmlColouring(EditorWidget *editor);
    // Takes the colours off again.
    ~HtmlColouring() override;

    void prepare(int firstLine, int lastLine) override;
    QList<QTextLayout::FormatRange> formats(int line) override;
    // Lines whose end state is known (for tests and benchmarks).
    int knownStates() const { return m_validLines; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int position, int removed, int added);
    void storeReplaced();
    void computeStatesThrough(int line);
    int startStateOf(int line) const;
    void takeColoursFromPalette();

    // Null once the editor is being destroyed.
    EditorWidget *m_editor;
    std::vector<int> m_endStates;
    int m_validLines = 0;
    int m_lineCount = 1;
    std::array<QTextCharFormat, htmllex::KindCount> m_formats;
    std::vector<htmllex::Token> m_tokens;
};
