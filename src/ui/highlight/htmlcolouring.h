#pragma once

#include "core/highlight/htmllexer.h"

#include <QObject>
#include <QPointer>
#include <QTextCharFormat>

#include <array>

class EditorWidget;
class QTextBlock;
class QTextDocument;

// Colours the HTML of one editor while it lives (child of the editor).
//
// Lazier than a QSyntaxHighlighter, which colours every block of a page as
// it loads: here only the blocks about to be painted get their colours, just
// before the paint. The lexer state at the end of each block is kept in the
// block's user state; states are known up to m_validBlocks and an edit only
// moves that mark back to the edited block. A keystroke that leaves its
// line's end state unchanged keeps every state below it.
class HtmlColouring : public QObject
{
    Q_OBJECT
public:
    explicit HtmlColouring(EditorWidget *editor);
    // Takes the colours off again.
    ~HtmlColouring() override;

    // Colours the blocks in view that need it (called before each paint).
    void prepareVisible();
    // Blocks whose end state is known (for tests and benchmarks).
    int knownStates() const { return m_validBlocks; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int position, int removed, int added);
    void documentReplaced();
    void computeStatesThrough(int blockNumber);
    int startStateOf(const QTextBlock &block) const;
    // Sets the block's colours and its end state; relayout asks the layout
    // to show them (not needed while the document reports a change).
    void colourBlock(QTextBlock &block, int startState, bool relayout);
    void takeColoursFromPalette();

    EditorWidget *m_editor;
    // The editor's parts may go before this object when the editor is
    // destroyed.
    QPointer<QWidget> m_viewport;
    QPointer<QTextDocument> m_document;
    int m_validBlocks = 0;
    int m_blockCount = 0;
    // Bumped when the colours change, so that every block is coloured anew.
    int m_generation = 0;
    std::array<QTextCharFormat, htmllex::KindCount> m_formats;
    std::vector<htmllex::Token> m_tokens;
};
