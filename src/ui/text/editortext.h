#pragma once

#include "core/text/documenttext.h"

class EditorWidget;
class LineStore;

// The text contract over the editor widget. The widget holds a list of lines
// without line-break characters, counting each break as one position; this
// adapter counts every break as CR LF. Position conversions go through the
// line starts (logarithmic), never through a scan of the text.
class EditorText : public DocumentText
{
public:
    explicit EditorText(EditorWidget *editor);

    QString text() const override;
    void setText(const QString &text) override;
    // Keeps the caret's row on screen too, or the first line shown when the
    // caret was out of view.
    void setTextKeepingPlace(const QString &text) override;
    int length() const override;

    // Puts a page read from a file, already split into lines, in the editor,
    // unmodified, caret at its start.
    void loadPage(LineStore lines);

    int lineCount() const override;
    QString line(int index) const override;
    void setLine(int index, const QString &text) override;
    int lineFromPosition(int position) const override;
    int lineStart(int index) const override;
    int lineLength(int index) const override;
    int firstVisibleLine() const override;
    void visitLines(int first, int last, const LineVisitor &visit) const override;

    int selectionStart() const override;
    int selectionLength() const override;
    void setSelectionStart(int position) override;
    void setSelectionLength(int length) override;
    QString selectedText() const override;
    bool replaceSelection(const QString &text) override;

    bool isModified() const override;
    void setModified(bool modified) override;

    // Widget position of a caret position, and back.
    int toWidget(int position) const;
    int fromWidget(int widgetPosition) const;

private:
    const LineStore &store() const;
    // The line whose caret-position start is the last one not after position.
    int lineOfPosition(int position) const;

    EditorWidget *m_editor;
};
