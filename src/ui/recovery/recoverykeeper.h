#pragma once

#include "core/recovery/recoveryfolder.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <functional>
#include <map>

class DocumentWindow;
class DocumentWorkspace;
class Prompts;

// Keeps a copy of every modified page in the recovery folder, written a few
// seconds after the last change, and at least every few seconds more while
// the page keeps changing, on a worker thread (typing never waits for the
// disk). A save, a revert or closing the page removes its copy; a normal end
// removes the program's whole folder. At start, offerLeftOvers() puts one
// question about the copies a crashed or killed program left. When copies
// cannot be written, the author is told once, in a message and in the frame
// window's status bar, that unsaved pages are no longer protected.
class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // root: the recovery folder, created when missing.
    RecoveryKeeper(const QString &root, Prompts &prompts, QObject *parent = nullptr);
    ~RecoveryKeeper() override;

    // Quiet time after the last change before the copy is written.
    void setDelay(int milliseconds) { m_delayMs = milliseconds; }
    // Longest time a changing page goes without a copy.
    void setLongestWait(int milliseconds) { m_longestMs = milliseconds; }

    // Keeps a copy of this page while it is modified, until it closes.
    void watch(DocumentWindow *document);

    // Reports damaged copies, then asks whether to reopen the pages left by
    // an ended program (a RecoveryDialog over the frame window): Yes gives
    // each one to open (as a modified page under its own caption), No
    // deletes them. Returns the number reopened.
    int offerLeftOvers(const std::function<void(const RecoveryCopy &)> &open);

    // Writes the copies of every modified page now and waits until they are
    // on disk.
    void flush();

    // The default root: "recovery" in the user's data location.
    static QString defaultRoot();

    // Whether copies can no longer be written, once told.
    bool protectionLost() const { return m_lostTold; }

signals:
    // A copy was written or removed (on the window thread).
    void copiesChanged();

private:
    void copyNow(DocumentWindow *document, int pageId);
    void removeCopy(int pageId);
    bool askReopen(const QStringList &captions);
    // Tells the author, the first time only, why copies cannot be written.
    void tellProtectionLost(RecoveryProblem problem);

    RecoveryFolder m_folder;
    Prompts &m_prompts;
    QThreadPool m_writer;
    int m_delayMs = 2000;
    int m_longestMs = 10000;
    bool m_lostTold = false;
    int m_nextPageId = 1;
    std::map<int, QPointer<DocumentWindow>> m_pages;
};

// Opens a recovered page in a new document window: its text, its format on
// disk and its caption, marked modified.
DocumentWindow *openRecoveredPage(DocumentWorkspace &workspace, const RecoveryCopy &copy,
                                  const std::function<void(DocumentWindow *)> &prepare);
