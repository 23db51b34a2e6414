#include "core/findfiles/filesearch.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/pagefile.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <cstring>

namespace {

// Takes the messages of a save made away from the window, to report them
// with the page's result; any question is answered no.
class RecordingPrompts : public Prompts
{
public:
    bool askYesNo(const QString &) override { return false; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void information(const QString &text) override { m_texts << text; }
    void warning(const QString &text) override { m_texts << text; }
    void error(const QString &text) override { m_texts << text; }
    QString texts() const { return m_texts.join(u' '); }

private:
    QStringList m_texts;
};

// A NUL byte marks a file that is not text, unless the file is UTF-16
// (byte-order mark), where half the bytes of Latin text are NUL.
bool looksBinary(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    return std::memchr(bytes.constData(), 0, size_t(bytes.size())) != nullptr;
}

qsizetype markBytes(FileEncoding encoding)
{
    switch (encoding) {
    case FileEncoding::Utf8Bom:
        return 3;
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
        return 2;
    default:
        return 0;
    }
}

// How many bytes the characters take in the encoding.
qsizetype byteLength(FileEncoding encoding, QStringView text)
{
    switch (encoding) {
    case FileEncoding::Windows1252:
        return text.size();
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
        return text.size() * 2;
    default:
        break;
    }
    qsizetype bytes = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        bytes += u < 0x80 ? 1 : u < 0x800 ? 2 : QChar::isSurrogate(u) ? 2 : 3;
    }
    return bytes;
}

bool encodePiece(FileEncoding encoding, const QString &piece, QByteArray &out)
{
    switch (encoding) {
    case FileEncoding::Windows1252: {
        QByteArray bytes;
        if (!encodeWindows1252(piece, bytes))
            return false;
        out += bytes;
        return true;
    }
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE:
        for (const QChar c : piece) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            out += encoding == FileEncoding::Utf16LE ? QByteArray{&low, 1} + high : QByteArray{&high, 1} + low;
        }
        return true;
    default:
        out += piece.toUtf8();
        return true;
    }
}

} // namespace

void walkFolder(const QString &folder, const FileMask &mask, bool subfolders,
                const std::function<bool(const QString &)> &found)
{
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        if (mask.matches(it.fileName()) && !found(path))
            return;
    }
}

QList<LineHit> lineHits(QStringView text, const QList<Match> &matches, qsizetype limit)
{
    QList<LineHit> hits;
    int line = 0;
    qsizetype lineStart = 0;
    qsizetype position = 0;
    // Moves to target, counting the line breaks passed; a target inside a
    // CR LF stays on the line the break ends.
    const auto advance = [&](qsizetype target) {
        while (position < target) {
            if (!isLineBreakAt(text, position)) {
                ++position;
                continue;
            }
            const qsizetype next = afterLineBreak(text, position);
            if (next > target) {
                position = target;
                break;
            }
            ++line;
            lineStart = position = next;
        }
    };
    for (const Match &match : matches) {
        if (hits.size() >= limit)
            break;
        LineHit hit;
        advance(match.start);
        hit.line = line;
        hit.column = match.start - lineStart;
        const qsizetype first = std::max(lineStart, match.start - ExcerptBefore);
        qsizetype last = first;
        while (last < text.size() && last - first < ExcerptLength && !isLineBreakAt(text, last))
            ++last;
        hit.excerpt = text.sliced(first, last - first).toString();
        hit.excerptMatch = match.start - first;
        hit.excerptLength = std::clamp<qsizetype>(last - match.start, 0, match.length);
        advance(match.start + match.length);
        hit.endLine = line;
        hit.endColumn = match.start + match.length - lineStart;
        hits.append(hit);
    }
    return hits;
}

QString applyReplacements(QStringView text, const QList<Match> &matches, const QList<QString> &replacements,
                          QList<Match> *placed)
{
    Q_ASSERT(matches.size() == replacements.size());
    QString out;
    out.reserve(text.size());
    qsizetype character = 0;
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const Match &match = matches.at(i);
        out += text.sliced(character, match.start - character);
        if (placed)
            placed->append(Match{out.size(), replacements.at(i).size(), {}});
        out += replacements.at(i);
        character = match.start + match.length;
    }
    out += text.sliced(character);
    return out;
}

std::optional<QByteArray> spliceReplacements(const QByteArray &bytes, FileEncoding encoding, QStringView text,
                                             const QList<Match> &matches, const QList<QString> &replacements,
                                             const QString &newText)
{
    Q_ASSERT(matches.size() == replacements.size());
    QByteArray out;
    out.reserve(bytes.size());
    qsizetype byte = markBytes(encoding);
    out.append(bytes.constData(), byte);
    qsizetype character = 0;
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const Match &match = matches.at(i);
        const qsizetype keptBytes = byteLength(encoding, text.sliced(character, match.start - character));
        out.append(bytes.constData() + byte, keptBytes);
        byte += keptBytes;
        if (!encodePiece(encoding, replacements.at(i), out))
            return std::nullopt;
        byte += byteLength(encoding, text.sliced(match.start, match.length));
        character = match.start + match.length;
    }
    out.append(bytes.constData() + byte, bytes.size() - byte);
    if (!readsBackAs(out, encoding, newText))
        return std::nullopt;
    return out;
}

FindInFilesSummary findInFiles(const FindInFilesRequest &request, const std::atomic_bool &cancelled,
                               const std::function<void(const FileResult &)> &onFile)
{
    FindInFilesSummary summary;
    const Matcher matcher(request.pattern, request.options, request.replacement);
    if (!matcher.isValid())
        return summary;
    QSet<QPair<quint64, quint64>> seen;
    QSet<QString> seenPaths;
    const auto skip = [&](SkipReason reason) { ++summary.skipped[int(reason)]; };

    const auto searchOne = [&](const QString &path) {
        FileResult result;
        result.path = path;
        const SearchBudget budget(request.fileTimeLimitMs, &cancelled);
        QList<Match> matches;
        QList<QString> replacements;
        QString text;
        const Matcher *used = &matcher;
        std::optional<Matcher> fileMatcher;
        std::optional<PageBytes> file;
        FileEncoding encoding = FileEncoding::Utf8;

        // A page reached by two names is searched once: a symbolic link
        // leads to the same real path, a hard link to the same file (which
        // a replacement writes in place). A page replaced through a
        // symbolic link gets a new file under its real name.
        const QString real = QFileInfo(path).canonicalFilePath();
        if (!real.isEmpty() && seenPaths.contains(real))
            return;
        seenPaths.insert(real);
        const auto open = request.openTexts.constFind(real);
        if (open != request.openTexts.constEnd()) {
            result.open = true;
            text = *open;
        } else {
            file = readPageBytes(path, request.maxFileBytes);
            if (!file) {
                skip(QFileInfo(path).size() > request.maxFileBytes ? SkipReason::TooLarge : SkipReason::Unreadable);
                return;
            }
            if (seen.contains({file->stamp.device, file->stamp.inode}))
                return;
            seen.insert({file->stamp.device, file->stamp.inode});
            if (looksBinary(file->bytes)) {
                skip(SkipReason::Binary);
                return;
            }
            encoding = detectAndDecode(file->bytes, text);
            if (request.replace && matcher.isRegex()) {
                fileMatcher = matcher.withLineBreak(lineBreakOf(detectLineEnd(text)));
                used = &*fileMatcher;
            }
        }
        ++summary.searched;
        const MatchStatus status = forEachMatch(text, 0, *used, budget, [&](const Match &match) {
            ++result.matchCount;
            if (request.replace) {
                matches.append(match);
                replacements.append(used->replacementFor(match));
            } else if (matches.size() < MaxHitsPerFile) {
                matches.append(match);
            }
        });
        if (status == MatchStatus::Stopped) {
            if (cancelled)
                summary.cancelled = true;
            else
                skip(SkipReason::TooSlow);
            return;
        }
        if (result.matchCount == 0)
            return;
        ++summary.withMatches;
        summary.matches += result.matchCount;
        if (!request.replace) {
            result.hits = lineHits(text, matches);
            onFile(result);
            return;
        }
        // The list shows the replacements where they stand in the new text.
        QList<Match> placed;
        const QString newText = applyReplacements(text, matches, replacements, &placed);
        result.hits = lineHits(newText, placed);
        if (!result.open) {
            const std::optional<QByteArray> bytes =
                spliceReplacements(file->bytes, encoding, text, matches, replacements, newText);
            RecordingPrompts prompts;
            if (!bytes) {
                result.failure = msg(9853);
                result.hits = lineHits(text, matches);
            } else if (savePageBytesKeepingLinks(path, *bytes, prompts, file->stamp) != SaveResult::Saved) {
                result.failure = prompts.texts();
                result.hits = lineHits(text, matches);
            } else {
                result.replaced = result.matchCount;
                ++summary.changedFiles;
                summary.replaced += result.matchCount;
            }
            if (!result.failure.isEmpty())
                ++summary.failed;
        }
        onFile(result);
    };

    const auto visit = [&](const QString &path) {
        if (cancelled) {
            summary.cancelled = true;
            return false;
        }
        searchOne(path);
        return !summary.cancelled;
    };
    if (!request.files.isEmpty()) {
        for (const QString &path : request.files)
            if (!visit(path))
                break;
    } else if (!request.folder.isEmpty()) {
        walkFolder(request.folder, FileMask(request.mask), request.subfolders, visit);
    }
    if (cancelled)
        summary.cancelled = true;
    return summary;
}
