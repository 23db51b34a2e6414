#pragma once

#include "core/highlight/htmllexer.h"
#include "ui/text/textview.h"

#include <QBasicTimer>
#include <QObject>
#include <QTextCharFormat>

#include <array>
#include <vector>

class EditorWidget;

// Colours the HTML of one editor while it lives (child of the editor).
//
// Only the lines about to be painted get their colours, when the view asks
// for them. The lexer state at the end of each line is kept; states are known
// up to m_validLines, and the rest are read a slice at a time while the
// editor is idle, so that a jump to the end finds them ready. An edit moves
// the mark back to the edited line but keeps the states below it: as soon as
// a line read again ends in the state it had before, those states hold again
// (a keystroke that leaves its line's end state unchanged keeps them all).
//
// A line longer than ColouredLength is coloured in its first ColouredLength
// characters only, and the line after it starts as the page does: reading
// megabytes at every keystroke in a minified page would freeze the editor.
class HtmlColouring : public QObject, public LineFormats
{
    Q_OBJECT
public:
    static constexpr int ColouredLength = 100'000;

    explicit HtmlColouring(EditorWidget *editor);
    // Takes the colours off again.
    ~HtmlColouring() override;

    QList<QTextLayout::FormatRange> formats(int line, int from, int to) override;
    // Lines whose end state is known (for tests and benchmarks).
    int knownStates() const { return m_validLines; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void contentsChanged(int position, int removed, int added);
    void storeReplaced();
    void computeStatesThrough(int line);
    int startStateOf(int line) const;
    int endStateOf(int line, int startState) const;
    void takeColoursFromPalette();
    void readAhead();

    // Null once the editor is being destroyed.
    EditorWidget *m_editor;
    std::vector<int> m_endStates;
    int m_validLines = 0;
    // States m_staleFrom..m_staleEnd - 1 were read before an edit above
    // them, of text unchanged since: they hold again once a line read anew
    // among them ends in its old state.
    int m_staleFrom = 0;
    int m_staleEnd = 0;
    int m_lineCount = 1;
    std::array<QTextCharFormat, htmllex::KindCount> m_formats;
    // The tokens of the line read last for its colours.
    int m_tokensLine = -1;
    std::vector<htmllex::Token> m_tokens;
    QBasicTimer m_readAhead;
};
