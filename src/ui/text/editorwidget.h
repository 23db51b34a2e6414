#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>

// The text area of a document window: plain text only, its own undo history
// switched off (documents keep their own), Tab accepted as text.
class EditorWidget : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit EditorWidget(QWidget *parent = nullptr);
    ~EditorWidget() override;

    int firstVisibleBlockNumber() const { return firstVisibleBlock().blockNumber(); }

    // Margins on: word wrap, text starting at pixel `left` and wrapping at
    // pixel `right`, both measured from the widget's left edge. Clicks left
    // of the text area reach the text as clicks at the start of the line.
    void setTextMargins(int left, int right);
    // Margins off: no word wrap, the text area filling the widget.
    void clearTextMargins();
    bool hasTextMargins() const { return m_hasTextMargins; }

    // Appends text at the end of the document, the caret and the view
    // untouched, the modified flag kept, the lines split as setPlainText
    // would. The document's own change signals stay quiet: without a history
    // of its own it counts every change as a modification, and each part of
    // a large page would tell the status bar, the tab and the recovery
    // copies that the page was edited. Its layout is told directly, the view
    // follows the layout, and partAppended tells the rest (the colouring).
    void appendPart(const QString &text);

signals:
    // The editor is about to be destroyed, while it is still whole: whoever
    // watches its events or its viewport lets go of it now, before the base
    // classes' destructors send their last events.
    void closing();
    // Text was appended at the end by appendPart, as contentsChange would
    // tell it.
    void partAppended(int position, int removed, int added);

protected:
    // Files dragged from the shell are for the frame window, which opens
    // them; the editor takes dragged text only.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

    bool event(QEvent *event) override;

private:
    void layoutTextMargins();

    bool m_hasTextMargins = false;
    int m_leftTextMargin = 0;
    int m_rightTextMargin = 0;
    bool m_forwardingMouse = false;
};
