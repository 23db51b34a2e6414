#pragma once

#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>

// Looking for a browser's program file on disk, for the preferences dialog.
// Browser families are numbered as the browser choice: 1 the first browser,
// 2 the second.

// The program file names of a family on this platform (compared without
// regard to case).
QStringList browserProgramNames(int family);

// The family whose program a file is (by its name, without folder), or 0.
int browserFamilyOfProgram(const QString &path);

// The folders a search can start from: the file system root(s), the home
// folder and the mounted volumes, without duplicates.
QStringList browserSearchRoots();

// Walks a folder tree looking for files with one of the given names. Every
// folder is entered at most once, even through links (so link loops end);
// folders that cannot be listed are skipped; the kernel's virtual file
// systems are not entered.
class ProgramSearch
{
public:
    using HitHandler = std::function<void(const QString &path)>;

    explicit ProgramSearch(const QStringList &names);

    // Searches root and every folder below it, calling onHit with the full
    // path of each hit as it is found. A set stop flag ends the walk at the
    // next folder entry. Returns the number of hits.
    int run(const QString &root, const HitHandler &onHit, const std::atomic<bool> &stop) const;

    bool matches(const QString &fileName) const;

private:
    QStringList m_names;
};

// A search on its own thread: hits and the end reach the receivers in their
// own (window) thread through queued signals.
class BrowserSearchThread : public QThread
{
    Q_OBJECT
public:
    explicit BrowserSearchThread(QObject *parent = nullptr);
    ~BrowserSearchThread() override;

    // Starts a search for the programs of a family below root. Any earlier
    // search must have ended.
    void startSearch(const QString &root, int family);
    // Asks the running search to end at the next folder entry.
    void requestStop() { m_stop = true; }
    // Stops a running search and waits until its thread has ended.
    void stopAndWait();

    bool wasStopped() const { return m_stop; }

signals:
    void found(const QString &path);
    void searchFinished(int hits);

protected:
    void run() override;

private:
    QString m_root;
    QStringList m_names;
    std::atomic<bool> m_stop = false;
};
