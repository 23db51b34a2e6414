#pragma once

#include "core/text/documenttext.h"
#include "ui/text/documentbuild.h"

#include <QPointer>

class EditorWidget;
class PageLoading;
class QTextBlock;

// The text contract over the editor widget. The widget holds one block per
// line without line-break characters; this adapter counts every block
// boundary as CR LF. Position conversions go through the document's block
// index (logarithmic), never through a scan of the text.
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

    // Puts a page read from a file (line breaks of any form) in the editor,
    // unmodified, caret at its start. A large page shows its first part at
    // once and the whole page follows when built (see PageLoading), from
    // build when given (a build of this text started earlier). Whatever asks
    // for the text beyond the part already in (the whole text, its length, a
    // line or position further on, any edit) first waits for the whole page.
    void loadPage(const QString &text, std::unique_ptr<DocumentBuild> build = nullptr);
    bool isLoading() const;
    void finishLoading() const;

    int lineCount() const override;
    QString line(int index) const override;
    void setLine(int index, const QString &text) override;
    int lineFromPosition(int position) const override;
    int lineStart(int index) const override;
    int lineLength(int index) const override;
    int firstVisibleLine() const override;

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
    QTextBlock blockOfPosition(int position) const;
    // The text is all in, or position is within the part already in.
    bool holds(int position) const;
    bool holdsLine(int index) const;
    int loadedLength() const;
    EditorWidget *m_editor;
    QPointer<PageLoading> m_loading;
};

// Line breaks of any style turned into the widget's LF.
QString toLf(const QString &text);
