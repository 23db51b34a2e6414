#pragma once

#include "ui/text/textview.h"

#include <QBasicTimer>
#include <QObject>
#include <QTextCharFormat>

#include <memory>
#include <optional>
#include <vector>

class EditorWidget;
class SpellingService;

// A word the dictionary does not know, on one line: start and length in the
// line's characters as written, word as read (entities decoded).
struct SpellingMark
{
    int start = 0;
    int length = 0;
    QString word;
    bool operator==(const SpellingMark &) const = default;
};

// The spelling of one editor's page while it lives (child of the editor):
// misspelled words get a red wavy underline laid over the colouring.
//
// The words are read and looked up on a worker thread, a slice of lines at
// a time: first the lines on screen, then the rest of the page from the
// top. Each line keeps the reading state it ended in, so that an edit only
// sends the changed lines to the worker (and the ones below while their
// starting state changes). A result for lines edited since it was asked for
// is dropped for those lines; the rest of it still holds, moved with the
// edits. Lines just typed in wait for a pause in the typing, so that a word
// is not underlined while it is being written.
class PageSpelling : public QObject, public LineFormats
{
    Q_OBJECT
public:
    // The service must outlive the worker's jobs: they share it.
    PageSpelling(EditorWidget *editor, std::shared_ptr<SpellingService> service);
    ~PageSpelling() override;

    QList<QTextLayout::FormatRange> formats(int line, int from, int to) override;

    // The underlined word at a store position (its line and mark), if any.
    struct Found
    {
        int line = 0;
        SpellingMark mark;
    };
    std::optional<Found> markAt(int position) const;
    std::vector<SpellingMark> marksOf(int line) const;

    // The dictionary the page is checked with ("fr_FR"), from its language.
    QString dictionary() const { return m_dictionary; }

    // A word is now accepted: its marks go at once, and the page is checked
    // again in the background.
    void wordAccepted(const QString &word);

    // Every line checked but those waiting for a pause in the typing, and
    // no work out (tests and benchmarks wait for it).
    bool isComplete() const;
    // Lines typed in are waiting for the pause.
    bool isHolding() const { return m_hold.isActive(); }
    // Lines checked since the editor's text was set.
    qint64 linesChecked() const { return m_linesChecked; }

signals:
    // A result reached the page.
    void progressed();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    struct LineInfo;
    struct Edit
    {
        int first;
        int lastOld;
        int lastNew;
    };
    struct Job;
    struct Result;

    void contentsChanged(int position, int removed, int added);
    void storeReplaced();
    void chooseDictionary();
    void invalidate(int line);
    void recheckAll();
    void schedule();
    int lineNeedingWork() const;
    void start(int spellFrom);
    void finished(Result result);
    int mapLine(int line) const;
    bool isHeld(int line) const;

    // Null once the editor is being destroyed.
    EditorWidget *m_editor;
    std::shared_ptr<SpellingService> m_service;
    QString m_dictionary;
    std::vector<LineInfo> m_lines;
    // No line before this one needs work.
    mutable int m_firstPending = 0;
    // Lines typed in a moment ago wait for the hold to end.
    int m_heldFirst = -1;
    int m_heldLast = -1;
    QBasicTimer m_hold;
    QBasicTimer m_next;
    bool m_running = false;
    quint64 m_jobId = 0;
    quint64 m_generation = 0;
    // Edits made while the running job was out, in order.
    std::vector<Edit> m_edits;
    bool m_jobLost = false;
    qint64 m_linesChecked = 0;
    QTextCharFormat m_format;
};
