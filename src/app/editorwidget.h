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

    int firstVisibleBlockNumber() const { return firstVisibleBlock().blockNumber(); }

protected:
    // Files dragged from the shell are for the frame window, which opens
    // them; the editor takes dragged text only.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
