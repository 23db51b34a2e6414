#include "app/editorwidget.h"

EditorWidget::EditorWidget(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setCenterOnScroll(false);
}
