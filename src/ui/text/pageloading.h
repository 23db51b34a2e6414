#pragma once

#include <QObject>
#include <QString>

class EditorWidget;

// A large page going into the editor in parts. The editor already holds the
// first part (a screenful and more); the rest is appended at the end of its
// document from the event loop, one part each time, so that the window is
// painted and answers in between. The editor stays read-only meanwhile and
// the document's modified flag keeps the value it had. Owned by the editor.
class PageLoading : public QObject
{
public:
    // Pages longer than this (characters) go in by parts.
    static constexpr qsizetype PartedAbove = qsizetype(2) << 20;
    static constexpr qsizetype FirstPartSize = qsizetype(64) << 10;
    static constexpr qsizetype PartSize = qsizetype(512) << 10;

    // text[from..] is still to come.
    PageLoading(EditorWidget *editor, QString text, qsizetype from);
    ~PageLoading() override;

    bool isDone() const { return m_done; }
    // Appends everything still to come now.
    void finish();

    // Loads running in the whole program (the benchmark hook waits for them).
    static int inProgress();

    // Where a part that starts at from and holds about size characters ends:
    // just after a line break (a CR LF kept whole), or inside a line too long
    // for one part but never inside a surrogate pair.
    static qsizetype partEnd(const QString &text, qsizetype from, qsizetype size);

private:
    void appendPart();
    void appendThrough(qsizetype end);
    void complete();

    EditorWidget *m_editor;
    QString m_text;
    qsizetype m_next;
    bool m_wasReadOnly;
    bool m_done = false;
};
