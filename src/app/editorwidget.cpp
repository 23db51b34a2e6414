#include "app/editorwidget.h"

#include <QMimeData>

EditorWidget::EditorWidget(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setCenterOnScroll(false);
}

bool EditorWidget::canInsertFromMimeData(const QMimeData *source) const
{
    return !source->hasUrls() && source->hasText();
}

void EditorWidget::insertFromMimeData(const QMimeData *source)
{
    // Plain text only, whatever else the data carries.
    if (canInsertFromMimeData(source))
        insertPlainText(source->text());
}
