#pragma once

#include "core/text/pagefile.h"
#include "core/undo/undohistory.h"
#include "ui/text/editortext.h"

#include <QWidget>

class EditorWidget;

// One open page: its editor, its text contract, its undo history, the
// caption that identifies it (the full path of its file, or the bare name of
// a page never saved), the index of its tab and its format on disk.
class DocumentWindow : public QWidget
{
    Q_OBJECT
public:
    explicit DocumentWindow(QWidget *parent = nullptr);
    ~DocumentWindow() override;

    EditorWidget *editor() const { return m_editor; }
    EditorText &text() { return m_text; }
    UndoHistory &undo() { return m_undo; }

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // A page counts as saved before when its caption has a folder part.
    bool hasFolder() const;
    QString fileName() const;

    int DocumentTabIndex = -1;
    PageFormat format;
    // The file as it was last read or written here; size -1 when unknown.
    FileStamp stamp;

    // Replaces the text by a file's content, split into lines, without an
    // undo step: caret at 0, unmodified, the history cleared.
    void loadText(LineStore lines);

signals:
    void captionChanged(const QString &caption);
    // The caret or the selection moved, or the text changed.
    void caretMoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool lineSelectionClick(const QPoint &pos);

    EditorWidget *m_editor;
    EditorText m_text;
    UndoHistory m_undo;
    QString m_caption;
};

// The folder part of a path ("/" or "\\" separators), empty for a bare name.
QString folderOf(const QString &path);