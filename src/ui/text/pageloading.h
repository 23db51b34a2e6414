#pragma once

#include <QObject>
#include <QString>

#include <memory>

class DocumentBuild;
class EditorWidget;

// A large page going into the editor. The editor already holds the first
// part (a screenful and more) while the whole page is put into a document
// of its own on a worker thread (DocumentBuild); once built, that document
// takes the place of the editor's, the caret and the view kept. The editor
// stays read-only meanwhile and the page is not modified. Owned by the
// editor.
class PageLoading : public QObject
{
public:
    // Pages longer than this (characters) go in this way.
    static constexpr qsizetype PartedAbove = qsizetype(2) << 20;
    static constexpr qsizetype FirstPartSize = qsizetype(64) << 10;
    // The worker's slices: a cancel waits for one at most.
    static constexpr qsizetype PartSize = qsizetype(512) << 10;

    PageLoading(EditorWidget *editor, std::unique_ptr<DocumentBuild> build);
    ~PageLoading() override;

    bool isDone() const { return m_done; }
    // Waits for the whole page and puts it in the editor now.
    void finish();

    // Loads running in the whole program (the benchmark hook waits for them).
    static int inProgress();

    // Where a part that starts at from and holds about size characters ends:
    // just after a line break (a CR LF kept whole), or inside a line too long
    // for one part but never inside a surrogate pair.
    static qsizetype partEnd(const QString &text, qsizetype from, qsizetype size);

private:
    EditorWidget *m_editor;
    std::unique_ptr<DocumentBuild> m_build;
    bool m_wasReadOnly;
    bool m_done = false;
};
