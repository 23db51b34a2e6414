#include "core/wholetext/batchmode.h"

#include "core/checking/htmlcheck.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/text/linestore.h"
#include "core/text/pagefile.h"
#include "core/text/textcodec.h"
#include "core/wholetext/bytepasses.h"
#include "core/wholetext/bytescan.h"
#include "core/wholetext/compaction.h"
#include "core/wholetext/entities.h"
#include "core/wholetext/pagemapping.h"
#include "core/wholetext/wholetext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

namespace {

enum class BatchCommand { None, Help, ToEntities, FromEntities, Compact, Check };

BatchCommand commandOf(const QString &argument)
{
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
        return BatchCommand::Help;
    if (argument == QLatin1String("--to-entities"))
        return BatchCommand::ToEntities;
    if (argument == QLatin1String("--from-entities"))
        return BatchCommand::FromEntities;
    if (argument == QLatin1String("--compact"))
        return BatchCommand::Compact;
    if (argument == QLatin1String("--check"))
        return BatchCommand::Check;
    return BatchCommand::None;
}

const QString UsageText =
    QStringLiteral("Utilisation:\n"
                   "  tessaline [FICHIER...]                 ouvre les pages dans l'éditeur\n"
                   "  tessaline --to-entities FICHIER...     convertit les caractères spéciaux en entités\n"
                   "                                         (le texte des commentaires est ignoré)\n"
                   "  tessaline --from-entities FICHIER...   reconvertit les entités en caractères\n"
                   "  tessaline --compact FICHIER...         compacte les balises\n"
                   "  tessaline --check FICHIER...           vérifie le code HTML (libtidy), sans rien modifier:\n"
                   "                                         une ligne fichier:ligne:colonne: message par problème;\n"
                   "                                         code de sortie 1 s'il y a des erreurs\n"
                   "  tessaline --help                       affiche cette aide\n"
                   "\n"
                   "Sauf avec --check, chaque fichier est réécrit dans son propre encodage et avec ses propres fins de ligne;\n"
                   "le nombre de changements de chaque fichier est écrit sur la sortie standard.\n"
                   "Un nom de fichier qui commence par \"-\" se place après \"--\".\n"
                   "Code de sortie: 0 réussite, 1 un fichier n'a pu être lu ou écrit (avec --check: lu, ou contient\n"
                   "des erreurs), 2 erreur d'utilisation.\n");

const QString UnknownOption = QStringLiteral("Option inconnue: ");
const QString NoFile = QStringLiteral("Aucun fichier indiqué.");
const QString NotWritten = QStringLiteral(" n'a pas été modifié.");
const QString ShortenedWhileRead =
    QStringLiteral(" a été raccourci par un autre programme pendant sa lecture; il n'a pas été réécrit.");
const QString CharactersRemoved = QStringLiteral(" caractère(s) enlevé(s).");

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Prompts without a user: questions are answered No (so a Windows-1252
// page is never silently rewritten as UTF-8), messages go to stderr.
class StderrPrompts : public Prompts
{
public:
    bool askYesNo(const QString &text) override
    {
        print(stderr, text + QLatin1Char('\n'));
        return false;
    }
    Answer askYesNoCancel(const QString &text) override
    {
        print(stderr, text + QLatin1Char('\n'));
        return Answer::Cancel;
    }
    void information(const QString &text) override { print(stderr, text + QLatin1Char('\n')); }
    void warning(const QString &text) override { print(stderr, text + QLatin1Char('\n')); }
    void error(const QString &text) override { print(stderr, text + QLatin1Char('\n')); }
};

struct PassResult
{
    QString text;
    QString report;
};

PassResult runPassOn(BatchCommand command, const QString &text, LineEnd lineEnd)
{
    switch (command) {
    case BatchCommand::ToEntities: {
        TextConversion c = charactersToEntities(text);
        return {std::move(c.text), QString::number(c.count) + msg(4)};
    }
    case BatchCommand::FromEntities: {
        TextConversion c = entitiesToCharacters(text);
        return {std::move(c.text), QString::number(c.count) + msg(5)};
    }
    case BatchCommand::Compact: {
        QString compacted = compactTags(text);
        // Counted as the file holds them, with its own line ends.
        const qsizetype removed = withLineEnd(text, lineEnd).size() - withLineEnd(compacted, lineEnd).size();
        return {std::move(compacted), QString::number(removed) + CharactersRemoved};
    }
    default:
        return {text, QString()};
    }
}

QString reportOf(BatchCommand command, qsizetype count)
{
    switch (command) {
    case BatchCommand::ToEntities:
        return QString::number(count) + msg(4);
    case BatchCommand::FromEntities:
        return QString::number(count) + msg(5);
    default:
        return QString::number(count) + CharactersRemoved;
    }
}

BytePass bytePassOf(BatchCommand command)
{
    return command == BatchCommand::ToEntities     ? BytePass::ToEntities
           : command == BatchCommand::FromEntities ? BytePass::FromEntities
                                                   : BytePass::Compact;
}

// Hands each piece of a pass's output to the file being written, and for a
// Windows-1252 page follows whether the new bytes would be read back as
// another encoding.
class DeviceSink : public ByteSink
{
public:
    DeviceSink(QIODevice &device, bool windows1252)
        : m_device(device)
        , m_windows1252(windows1252)
    {}
    bool take(QByteArrayView piece) override
    {
        if (m_windows1252)
            m_readBack.add(piece);
        return m_device.write(piece.data(), piece.size()) == piece.size();
    }
    bool readsAsOtherEncoding() const { return m_windows1252 && m_readBack.readsAsOtherEncoding(); }

private:
    QIODevice &m_device;
    bool m_windows1252;
    Windows1252ReadBack m_readBack;
};

// Runs a pass on a page's bytes as they are on disk; false when the page
// could not be written.
bool passOverBytes(BatchCommand command, const QString &path, const PageMapping &page, const ByteScan &scan,
                   Prompts &prompts)
{
    const BytePass pass = bytePassOf(command);
    qsizetype count = 0;
    // An unchanged page is left as it is on disk.
    if (bytePassChangesFile(pass, page.bytes(), scan)) {
        // The pass streams into the new file as it goes instead of building
        // it in memory: the writer is handed the page's bytes and writes the
        // pass's output in their place, under every rule of a strict save.
        const QByteArray source = QByteArray::fromRawData(page.bytes().data(), page.bytes().size());
        const PageWriter streamPass = [&](QIODevice &device, const QByteArray &bytes) -> qint64 {
            DeviceSink sink(device, scan.encoding == FileEncoding::Windows1252);
            const std::optional<qsizetype> done = streamBytePass(pass, bytes, scan, sink);
            if (page.shortened()) {
                prompts.error(fileMessage(path, ShortenedWhileRead));
                return -1;
            }
            // The page keeps its old bytes rather than change its text on the
            // next open.
            if (done && sink.readsAsOtherEncoding()) {
                prompts.error(fileMessage(path, readBackOtherwiseText()));
                return -1;
            }
            if (!done)
                return -1;
            count = *done;
            return bytes.size();
        };
        if (savePageBytes(path, source, prompts, page.stamp(), streamPass) != SaveResult::Saved)
            return false;
    }
    print(stdout, fileMessage(path, QLatin1Char(' ') + reportOf(command, count)) + QLatin1Char('\n'));
    return true;
}

// Why a page cannot be worked on, known before it is opened: the number of
// the catalogue text that follows "[path]"; 0 when nothing is known yet.
int problemBeforeOpening(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return 9232;
    if (!info.isFile())
        return 9234;
    // Refused unread, however large the file claims to be.
    if (info.size() > MaxPageFileBytes)
        return 9231;
    if (!info.isReadable())
        return 9233;
    return 0;
}

int messageOf(PageBytesProblem problem)
{
    switch (problem) {
    case PageBytesProblem::Nul:
        return 9230;
    case PageBytesProblem::TooLong:
        return 9231;
    case PageBytesProblem::None:
        break;
    }
    return 0;
}

void refuse(Prompts &prompts, const QString &path, int message)
{
    prompts.error(fileMessage(path, msg(message)));
}

// Prints the problems of one page; false when it holds errors or could not
// be read. The page is read as the editor opens it, so lines and columns
// are the editor's.
bool checkFile(const QString &path, Prompts &prompts)
{
    if (const int problem = problemBeforeOpening(path)) {
        refuse(prompts, path, problem);
        return false;
    }
    std::optional<LoadedPage> page = loadPageAsRead(path);
    if (!page) {
        refuse(prompts, path, 9236);
        return false;
    }
    const HtmlCheck check = checkHtml(LineStore(page->text), std::numeric_limits<qsizetype>::max());
    page.reset();
    QString report;
    for (const HtmlProblem &problem : check.problems)
        report += problemLine(path, problem) + QLatin1Char('\n');
    print(stdout, report);
    return !check.hasErrors();
}

// Runs the command on one file; false when it could not be read or written.
bool processFile(BatchCommand command, const QString &path, Prompts &prompts)
{
    if (const int problem = problemBeforeOpening(path)) {
        refuse(prompts, path, problem);
        return false;
    }
    // A page the editor would not write is not rewritten here either, even
    // by an administrator whom the system would let write it.
    if (IsReadOnlyFile(path)) {
        prompts.error(path + msg(1));
        return false;
    }
    {
        PageMapping page;
        if (!page.open(path)) {
            refuse(prompts, path, 9236);
            return false;
        }
        // A binary file is known by its first NUL, before any pass reads
        // the rest of it.
        if (const int problem = messageOf(prescanPageBytes(page.bytes()))) {
            refuse(prompts, path, problem);
            return false;
        }
        const ByteScan scan = scanPageBytes(page.bytes());
        if (scan.verdict == ByteScan::Verdict::Refused) {
            refuse(prompts, path, 9235);
            return false;
        }
        // UTF-8 and Windows-1252 pages are worked on as they are on disk.
        if (takesBytePass(bytePassOf(command), scan)) {
            try {
                return passOverBytes(command, path, page, scan, prompts);
            } catch (const std::bad_alloc &) {
                prompts.error(fileMessage(path, QLatin1Char(' ') + Texts::WholeTextTooLong));
                return false;
            }
        }
    }

    // Other pages through their decoded text.
    std::optional<PageBytes> file = readPageBytes(path);
    if (!file) {
        refuse(prompts, path, 9236);
        return false;
    }
    // What the first look let through is refused here for the memory a very
    // large page takes, or for a line-break mark.
    const bool mayBeTooLong = file->bytes.size() > DocumentText::MaxLength / 2;
    std::optional<LoadedPage> page = pageFromBytes(*file);
    file.reset();
    if (!page) {
        refuse(prompts, path, mayBeTooLong ? 9231 : 9235);
        return false;
    }
    PassResult result;
    try {
        result = runPassOn(command, page->text, page->format.lineEnd);
    } catch (const std::bad_alloc &) {
        prompts.error(fileMessage(path, QLatin1Char(' ') + Texts::WholeTextTooLong));
        return false;
    }
    if (result.text.size() > DocumentText::MaxLength) {
        prompts.error(fileMessage(path, QLatin1Char(' ') + Texts::WholeTextTooLong));
        return false;
    }
    // An unchanged page is left as it is on disk.
    if (result.text != page->text) {
        // Written only over the very file that was read: a page replaced
        // meanwhile by another program is left to it.
        const SaveResult saved = savePage(path, result.text, page->format, prompts, page->stamp);
        if (saved == SaveResult::Declined)
            prompts.error(fileMessage(path, NotWritten));
        if (saved != SaveResult::Saved)
            return false;
    }
    print(stdout, fileMessage(path, QLatin1Char(' ') + result.report) + QLatin1Char('\n'));
    return true;
}

int usageError(const QString &reason)
{
    print(stderr, reason + QLatin1String("\n\n") + UsageText);
    return 2;
}

} // namespace

int runBatchMode(const QStringList &args)
{
    if (args.size() < 2)
        return -1;
    const BatchCommand command = commandOf(args.at(1));
    if (command == BatchCommand::None)
        return -1;
    if (command == BatchCommand::Help) {
        if (args.size() > 2)
            return usageError(UnknownOption + args.at(2));
        print(stdout, UsageText);
        return 0;
    }

    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.size() > 1 && arg.startsWith(QLatin1Char('-')))
            return usageError(UnknownOption + arg);
        files << arg;
    }
    if (files.isEmpty())
        return usageError(NoFile);

    StderrPrompts prompts;
    int status = 0;
    for (const QString &file : files) {
        const bool done = command == BatchCommand::Check ? checkFile(file, prompts) : processFile(command, file, prompts);
        if (!done)
            status = 1;
    }
    return status;
}

bool isBatchCommand(const char *argument)
{
    return commandOf(QString::fromLocal8Bit(argument)) != BatchCommand::None;
}

int runBatchModeIfAsked(int &argc, char **argv)
{
    if (argc < 2 || commandOf(QString::fromLocal8Bit(argv[1])) == BatchCommand::None)
        return -1;
    QCoreApplication app(argc, argv);
    return runBatchMode(QCoreApplication::arguments());
}
