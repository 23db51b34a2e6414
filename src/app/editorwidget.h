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
};
