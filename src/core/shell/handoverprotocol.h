#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// True when the lower-cased extension of the file name is ".htm", ".html",
// ".shtml" or ".txt": the files the program opens from its command line,
// from a drop or from a second running copy.
bool isDocumentFileName(const QString &path);
// True for a project file (lower-cased extension ".proj"), which the program
// also takes from its command line, a drop or a second copy: the file
// manager opens projects with it.
bool isProjectFileName(const QString &path);
// A page or a project: what the command line and the hand-over accept.
bool isOpenableFileName(const QString &path);

// The path made absolute against baseFolder (when it is relative) and
// cleaned of "." and ".." components.
QString fullDocumentPath(const QString &path, const QString &baseFolder);

// A folder of the current user alone, for the hand-over socket: created
// with mode 0700 when missing. True only for a real folder (not a link)
// owned by the user, whose access is then the user's alone.
bool ensurePrivateFolder(const QString &path);
// The socket at path was made by the current user (nothing else is ever
// sent file names).
bool isOwnSocket(const QString &path);

// The line-based hand-over between two running copies. The second copy
// writes, each line ended by a line feed:
//   TESSALINE-HANDOVER 1
//   OPEN <percent-encoded UTF-8 path>     (one per file)
//   ACTIVATE                              (when the first copy is to come to the front)
//   END
// and the first copy answers "OK" once it has read END. Unknown lines are
// skipped, so later versions can add commands.
namespace HandOverProtocol {
inline constexpr char Greeting[] = "TESSALINE-HANDOVER 1";
inline constexpr char Acknowledgement[] = "OK\n";
// Longest line the reader accepts, and most bytes per connection.
inline constexpr qsizetype MaxLineLength = 64 * 1024;
inline constexpr qsizetype MaxMessageLength = 16 * 1024 * 1024;

QByteArray encode(const QStringList &paths, bool activate);
} // namespace HandOverProtocol

// Reads one connection's bytes as they come, in pieces of any size.
class HandOverDecoder
{
public:
    enum class State {
        Reading,  // waiting for more bytes
        Finished, // END read
        Rejected  // not a hand-over (wrong greeting) or over the size limits
    };

    // Takes the next bytes; returns the state after them. Bytes after END or
    // after a rejection are ignored.
    State feed(const QByteArray &bytes);
    State state() const { return m_state; }

    // The files named so far whose extension is a document's, in order.
    const QStringList &files() const { return m_files; }
    bool activationRequested() const { return m_activate; }

private:
    void takeLine(QByteArray line);

    State m_state = State::Reading;
    bool m_greeted = false;
    bool m_activate = false;
    qsizetype m_received = 0;
    QByteArray m_pending;
    QStringList m_files;
};
