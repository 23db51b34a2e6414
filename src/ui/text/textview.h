#pragma once

#include "core/text/linestore.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QList>
#include <QTextLayout>

#include <compare>
#include <memory>
#include <utility>
#include <vector>

class QMenu;
class QMimeData;
class QPagedPaintDevice;
class TextViewLayout;

// Colours for the lines about to be painted. The view asks for the columns
// from..to of a line as it lays that part out (a long line is laid out in
// pieces, only where it shows), and again after the provider called
// TextView::refreshFormats for the line. Ranges are in line columns and may
// reach beyond from..to.
class LineFormats
{
public:
    virtual ~LineFormats() = default;
    virtual QList<QTextLayout::FormatRange> formats(int line, int from, int to) = 0;
};

// A plain-text editing view over a LineStore that lays out only the lines it
// shows, so that a page of any size opens at the speed of reading it. Lines
// are laid out with QTextLayout (shaping, bidirectional text, tabs) and
// cached while in view. Positions are store positions (one per line break).
// A long line is laid out and painted only in the pieces that show, and a
// paint draws only the rows its region meets (the caret's blink repaints
// the caret alone).
//
// Scrolling: the vertical scroll bar counts lines (its value is the first
// line shown); with word wrap a line may take several rows and the view
// scrolls by rows within it. Without wrap the horizontal range follows the
// widest of the lines measured so far that are still in the text.
//
// A complete editor on its own: caret and selection by keyboard and mouse,
// typing, input methods, the clipboard (and the X11 selection), drag and drop
// of text, overwrite mode, read-only mode. It keeps no undo history.
class TextView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // Caret moves, with the meaning of QTextCursor's operations of the same
    // names (Start/End of the whole text, StartOfLine/EndOfLine of the row on
    // screen, StartOfBlock/EndOfBlock of the line in the store).
    enum Move {
        Start,
        End,
        StartOfLine,
        EndOfLine,
        StartOfBlock,
        EndOfBlock,
        PreviousCharacter,
        NextCharacter,
        PreviousWord,
        NextWord,
        Up,
        Down,
        PageUp,
        PageDown,
        // Visual moves of the arrow keys: in right-to-left text, Left moves
        // towards the line's end.
        Left,
        Right,
    };

    explicit TextView(QWidget *parent = nullptr);
    ~TextView() override;

    // The text.
    const LineStore &store() const { return m_store; }
    // Replaces the whole text (caret at 0, view at the top, not an edit:
    // no contentsChange; storeReplaced instead). The modified flag stays as
    // it is.
    void setStore(LineStore store);
    void setPlainText(const QString &text) { setStore(LineStore(text)); }
    QString toPlainText() const { return m_store.text(); }

    // The one way the text changes: the removed characters at from become
    // text (line breaks of any form). Caret and anchor move as a QTextCursor
    // would: those after the change shift with it, those inside go to its
    // start. Emits contentsChange, sets the modified flag, then emits
    // textChanged. Nothing happens when nothing is removed or added.
    // Read-only mode does not stop it (it stops the user's edits).
    void replace(int from, int removed, QStringView text);
    // Replaces the selection, the caret ending after the text.
    void insertText(QStringView text);

    // Caret and selection.
    int position() const { return m_position; }
    int anchor() const { return m_anchor; }
    bool hasSelection() const { return m_position != m_anchor; }
    int selectionStart() const { return std::min(m_position, m_anchor); }
    int selectionEnd() const { return std::max(m_position, m_anchor); }
    // Clamped to the text; emits cursorPositionChanged and selectionChanged
    // when they change.
    void setSelection(int anchor, int position);
    void setPosition(int position) { setSelection(position, position); }
    // keepAnchor extends the selection.
    void moveCaret(Move move, bool keepAnchor = false);
    // Where move would take the caret, without moving it.
    int movedPosition(Move move) const;
    // Line breaks as LF.
    QString selectedText() const;
    void selectAll();

    // Geometry, in viewport coordinates. positionAt takes points above or
    // below the viewport at its top or bottom row; positionRect of a line far
    // outside the view counts the lines between as one row each.
    int firstVisibleLine() const;
    int lastVisibleLine() const;
    QRect caretRect() const;
    QRect positionRect(int position) const;
    int positionAt(const QPoint &viewportPoint) const;
    void ensureCaretVisible();
    // Scrolls so that line is the first shown (as far as the range allows).
    void scrollToLine(int line);

    // Settings. The font is the widget's font.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool overwriteMode() const { return m_overwrite; }
    void setOverwriteMode(bool overwrite);
    qreal tabStopDistance() const { return m_tabStop; }
    void setTabStopDistance(qreal distance);
    bool wordWrap() const { return m_wordWrap; }
    // Wraps at the viewport's width (less the document margin).
    void setWordWrap(bool wrap);
    // Space between the viewport's edges and the text, as a text document's
    // margin.
    int documentMargin() const { return m_margin; }
    void setDocumentMargin(int margin);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // Colours (not owned; null for none). Tells the view that the formats of
    // lines first..last (all lines: -1, -1) changed.
    void setLineFormats(LineFormats *formats);
    void refreshFormats(int firstLine = -1, int lastLine = -1);
    // Marks laid over the colours, such as underlined words or a matching
    // tag (not owned; removed before they are destroyed). Where ranges
    // meet, a later overlay's properties win.
    void addOverlay(LineFormats *overlay);
    void removeOverlay(LineFormats *overlay);

    // Printing lays the text out in a text document of its own.
    void print(QPagedPaintDevice *printer) const;

    // The editing menu the view shows on a right click (the caller owns it).
    QMenu *createStandardContextMenu();

    // Lines laid out since the view was made: the view lays out only the
    // lines it shows, and tests check it here.
    qint64 linesLaidOut() const;

public slots:
    void cut();
    void copy();
    void paste();

signals:
    void contentsChange(int from, int removed, int added);
    void textChanged();
    void storeReplaced();
    void cursorPositionChanged();
    void selectionChanged();
    void copyAvailable(bool available);
    void modificationChanged(bool modified);

protected:
    // Which dropped or pasted data the view takes, and how it goes in.
    virtual bool canInsertFromMimeData(const QMimeData *source) const;
    virtual void insertFromMimeData(const QMimeData *source);
    virtual QMimeData *createMimeDataFromSelection() const;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    LineStore m_store;
    int m_position = 0;
    int m_anchor = 0;
    bool m_readOnly = false;
    bool m_overwrite = false;
    bool m_wordWrap = false;
    bool m_modified = false;
    qreal m_tabStop = 80;
    int m_margin = 4;
    LineFormats *m_formats = nullptr;
    std::vector<LineFormats *> m_overlays;

    // A row of a line: the top of the view, or a caret's place on screen.
    struct Row
    {
        int line = 0;
        int row = 0;
        auto operator<=>(const Row &) const = default;
    };
    enum class Unit { Character, Word, Line };

    // Selection and caret changes with their signals; the view's own moves
    // also restart the caret's blink.
    void applySelection(int anchor, int position);
    void selectionMoved(int oldAnchor, int oldPosition);
    void userMoved(bool publishSelection);
    void publishSelection();
    void restartBlink();
    // Repaints the caret's place alone (the blink).
    void updateCaret();
    int caretLine() const { return m_store.lineOf(m_position); }
    int columnOf(int position, int line) const { return position - m_store.lineStart(line); }
    int moveTarget(Move move);
    int stepRows(Row &at, int rows) const;
    void removeSelection();
    void deleteTo(int position);
    // The selection, or the text from the caret to where move would take it.
    void removeSelectionOrTo(Move move);
    bool isTyping(const QKeyEvent *event) const;
    bool splitsPair(int position) const;
    bool handlesKey(QKeyEvent *event) const;
    // The move a key makes where the text is: Ctrl+arrows in right-to-left
    // lines, Shift+Up and Shift+Down at the first and last row.
    Move moveOnScreen(Move move, bool select) const;
    // Word and line around a position, for double and triple clicks.
    std::pair<int, int> wordAt(int position);
    std::pair<int, int> lineAt(int position) const;
    void extendSelectionTo(const QPoint &viewportPoint);
    void startDrag();

    // Scrolling by lines and rows.
    Row top() const;
    void setTop(Row row);
    Row maxTop();
    int visibleRows() const;
    int rowsFromTop(int line) const;
    void scrollByRows(int rows);
    void updateScrollBars();
    void relayout();
    void applyFormatSources();
    int horizontalOffset() const;

    std::unique_ptr<TextViewLayout> m_layout;
    int m_topRow = 0;
    bool m_ownScroll = false;
    Row m_maxTop;
    bool m_maxTopValid = false;
    qreal m_rangeWidest = -1;
    qreal m_desiredX = -1;
    int m_desiredXAt = -1;
    int m_wheelRemainder = 0;
    bool m_caretShown = true;
    QBasicTimer m_blinkTimer;
    QBasicTimer m_autoScrollTimer;
    QBasicTimer m_tripleClickTimer;
    QPoint m_autoScrollPoint;
    QPoint m_pressPoint;
    QPoint m_tripleClickPoint;
    Unit m_unit = Unit::Character;
    int m_unitStart = 0;
    int m_unitEnd = 0;
    bool m_selecting = false;
    bool m_maybeDrag = false;
    bool m_movedWithin = false;
    int m_dropPosition = -1;
    int m_preeditCursor = 0;
};
