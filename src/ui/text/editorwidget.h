#pragma once

#include "ui/text/textview.h"

// The text area of a document window: plain text only, no undo history of
// its own (documents keep their own), Tab accepted as text.
class EditorWidget : public TextView
{
    Q_OBJECT
public:
    explicit EditorWidget(QWidget *parent = nullptr);
    ~EditorWidget() override;

    // Margins on: word wrap, text starting at pixel `left` and wrapping at
    // pixel `right`, both measured from the widget's left edge. Clicks left
    // of the text area reach the text as clicks at the start of the line.
    void setTextMargins(int left, int right);
    // Margins off: no word wrap, the text area filling the widget.
    void clearTextMargins();
    bool hasTextMargins() const { return m_hasTextMargins; }

signals:
    // The editor is about to be destroyed, while it is still whole: whoever
    // watches its events or its viewport lets go of it now, before the base
    // classes' destructors send their last events.
    void closing();

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
