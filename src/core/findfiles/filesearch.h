#pragma once

#include "core/findfiles/filemask.h"
#include "core/findfiles/matcher.h"
#include "core/text/textcodec.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// One match as the results list shows it: its line (0-based) and column in
// the page as the editor splits it, where it ends, and the line clipped
// around the match for a long line.
struct LineHit
{
    int line = 0;
    qsizetype column = 0;
    int endLine = 0;
    qsizetype endColumn = 0;
    QString excerpt;            // the line, or the part of it around the match
    qsizetype excerptMatch = 0; // where the match starts in excerpt
    qsizetype excerptLength = 0;
};

// What one page gave.
struct FileResult
{
    QString path;
    // At most MaxHitsPerFile; after a replacement, where the replacements
    // stand in the new text.
    QList<LineHit> hits;
    qsizetype matchCount = 0;
    qsizetype replaced = 0; // occurrences written to the file
    bool open = false;      // searched in the editor's text; never written here
    QString failure;        // why the file was not written, or empty
};

// Why a file was not searched.
enum class SkipReason { Binary, TooLarge, Unreadable, TooSlow };

struct FindInFilesSummary
{
    int searched = 0;
    int withMatches = 0;
    qsizetype matches = 0;
    int changedFiles = 0;
    qsizetype replaced = 0;
    int failed = 0;
    int skipped[4] = {0, 0, 0, 0}; // by SkipReason
    bool cancelled = false;
};

struct FindInFilesRequest
{
    QString pattern;
    MatchOptions options;
    bool replace = false;
    QString replacement;
    // The pages to search: the listed files, or else the files of folder
    // whose names fit mask (its subfolders too when asked).
    QStringList files;
    QString folder;
    QString mask = DefaultFileMask;
    bool subfolders = true;
    // Pages open in the editor, by path: their current text (CR LF) is
    // searched instead of the file, which is left to the editor.
    QHash<QString, QString> openTexts;
    qint64 maxFileBytes = 64 * 1024 * 1024;
    // How long one page may keep an expression busy.
    qint64 fileTimeLimitMs = 5000;
};

inline constexpr int MaxHitsPerFile = 1000;
// Characters of a long line shown before a match, and at most in all.
inline constexpr qsizetype ExcerptBefore = 60;
inline constexpr qsizetype ExcerptLength = 240;

// The files of a folder that fit a mask, in name order, visited one by one
// (found false stops the walk). Links to folders are not followed, so no
// walk loops.
void walkFolder(const QString &folder, const FileMask &mask, bool subfolders,
                const std::function<bool(const QString &)> &found);

// The matches of a text as the results list shows them.
QList<LineHit> lineHits(QStringView text, const QList<Match> &matches, qsizetype limit = MaxHitsPerFile);

// The text with each match replaced; placed (when given) receives where
// each replacement stands in it.
QString applyReplacements(QStringView text, const QList<Match> &matches, const QList<QString> &replacements,
                          QList<Match> *placed = nullptr);

// A page's bytes with each match replaced, every other byte kept as it was
// (encoding, byte-order mark, line ends). Nothing when a replacement holds
// a character that the page's encoding cannot write, or when the new bytes
// would not read back as newText (applyReplacements) in that encoding.
std::optional<QByteArray> spliceReplacements(const QByteArray &bytes, FileEncoding encoding, QStringView text,
                                             const QList<Match> &matches, const QList<QString> &replacements,
                                             const QString &newText);

// Runs a search (and replacement) on the calling thread, handing each page
// with matches to onFile as soon as it is done. cancelled stops it between
// two pages or two match attempts.
FindInFilesSummary findInFiles(const FindInFilesRequest &request, const std::atomic_bool &cancelled,
                               const std::function<void(const FileResult &)> &onFile);
