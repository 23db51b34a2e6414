#pragma once

#include <QAccessibleWidget>

class QObject;
class TextView;

// What assistive technologies read of a TextView: its text, caret and
// selection, and where each character is on screen. Offsets are store
// positions (one per line break). Queries about a character, word or line
// look at the line that holds the offset, never at the whole text.
class TextViewAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit TextViewAccessible(TextView *view);

    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

    // Called by the view whenever its caret or selection moved (anchor and
    // position before the move), while assistive technologies listen. They
    // are told once per turn of the event loop, of where the caret and the
    // selection ended: a key or an undo that selects, deletes and places the
    // caret in several steps makes one caret event, not one per step. The
    // edit itself is told at once, by the view.
    static void selectionMoved(TextView *view, int oldAnchor, int oldPosition);
    // Whether anyone listens, and telling them: a platform bridge to
    // assistive technologies, or Qt's update handler. Qt hands events to the
    // handler only while a bridge is active; here a handler installed
    // without one (tests, embedding programs) hears them too.
    static bool listening();
    static void tell(QAccessibleEvent *event);

private:
    TextView *view() const;
    void report();

    bool m_reportDue = false;
    // What assistive technologies were last told.
    int m_toldPosition = 0;
    int m_toldStart = 0;
    int m_toldEnd = 0;
};

// Makes TextViewAccessible the accessible interface of every TextView
// (installed once, by the first view).
void installTextViewAccessibility();
