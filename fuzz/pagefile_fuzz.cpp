// Reading a page file's bytes and writing them back.
//
// Every file that loads must come back from a second load and save exactly
// as the first save wrote it. A consistent file, one Tessaline could have
// written itself, must come back byte for byte from the first save already.
// Consistency is judged here on the bytes, without the reader: a mark or
// valid UTF-8 decides the encoding, the characters must be valid in it, the
// text holds no NUL, and every line break has the style of the first one.
#include "fuzzinput.h"

#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/text/pagefile.h"
#include "core/text/textcodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

namespace {

// No loaded page needs asking anything to be saved in its own format. An
// error is noted: the only one expected is the refusal of a page whose bytes
// would read back as other text, which the caller checks.
class NoQuestions : public Prompts
{
public:
    bool askYesNo(const QString &) override
    {
        fuzzFailure("a loaded page needs a question to be saved", __FILE__, __LINE__);
    }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override { failed = true; }
    bool failed = false;
};

const QString &folder()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

std::optional<LoadedPage> load(const QByteArray &bytes)
{
    QFile file(folder() + QStringLiteral("/in.htm"));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();
    return loadPage(file.fileName());
}

// The saved bytes, or nothing when the save was refused.
std::optional<QByteArray> save(const LoadedPage &page)
{
    const QString path = folder() + QStringLiteral("/out.htm");
    PageFormat format = page.format;
    NoQuestions prompts;
    const SaveResult result = savePage(path, page.text, format, prompts);
    if (result == SaveResult::Failed && prompts.failed)
        return std::nullopt;
    FUZZ_CHECK(result == SaveResult::Saved && !prompts.failed);
    FUZZ_CHECK(format.encoding == page.format.encoding && format.lineEnd == page.format.lineEnd);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The code points of strict UTF-8, or nothing when the bytes are not.
std::optional<std::u32string> utf8CodePoints(const char *p, const char *end)
{
    std::u32string out;
    while (p < end) {
        const auto b = static_cast<unsigned char>(*p++);
        int more = b < 0x80                ? 0
                   : b >= 0xC2 && b < 0xE0 ? 1
                   : b >= 0xE0 && b < 0xF0 ? 2
                   : b >= 0xF0 && b < 0xF5 ? 3
                                           : -1;
        if (more < 0 || end - p < more)
            return std::nullopt;
        char32_t c = more == 0 ? b : b & (0x3F >> more);
        for (int i = 0; i < more; ++i) {
            const auto next = static_cast<unsigned char>(*p++);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = c << 6 | (next & 0x3F);
        }
        const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[more] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return std::nullopt;
        out += c;
    }
    return out;
}

// The code points of UTF-16 with paired surrogates, or nothing.
std::optional<std::u32string> utf16CodePoints(const char *p, const char *end, bool little)
{
    if ((end - p) % 2)
        return std::nullopt;
    std::u32string out;
    auto unit = [&] {
        const auto a = static_cast<unsigned char>(p[0]), b = static_cast<unsigned char>(p[1]);
        p += 2;
        return char32_t(little ? a | b << 8 : a << 8 | b);
    };
    while (p < end) {
        const char32_t u = unit();
        if (u >= 0xDC00 && u < 0xE000)
            return std::nullopt;
        if (u >= 0xD800 && u < 0xDC00) {
            if (p == end)
                return std::nullopt;
            const char32_t low = unit();
            if (low < 0xDC00 || low >= 0xE000)
                return std::nullopt;
            out += 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        } else {
            out += u;
        }
    }
    return out;
}

// Whether the line breaks (CR LF, LF, lone CR, paragraph separator) all have
// one style that the reader can keep.
template<typename Text> bool consistentLineEnds(const Text &text)
{
    int style = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        int s = -1;
        if (text[i] == 0x2029)
            return false;
        if (text[i] == '\r')
            s = i + 1 < text.size() && text[i + 1] == '\n' ? (++i, 0) : 2;
        else if (text[i] == '\n')
            s = 1;
        if (s >= 0 && style >= 0 && s != style)
            return false;
        if (s >= 0)
            style = s;
    }
    return true;
}

bool isRefusedCharacter(char32_t c)
{
    return c == 0 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

// What a refused page must hold: a NUL, or a character the editor would take
// for a line break (it could not be saved back as read). UTF-16 is looked at
// unit by unit, as the reader keeps lone surrogates.
bool refused(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return true;
    const char *begin = bytes.constData(), *end = begin + bytes.size();
    std::optional<std::u32string> codePoints;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        codePoints = utf8CodePoints(begin + 3, end);
    } else if ((bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) && bytes.size() % 2 == 0) {
        const bool little = bytes.at(0) == '\xFF';
        for (const char *p = begin + 2; p < end; p += 2) {
            const auto low = static_cast<unsigned char>(p[little ? 0 : 1]);
            const auto high = static_cast<unsigned char>(p[little ? 1 : 0]);
            if (isRefusedCharacter(char32_t(high << 8 | low)))
                return true;
        }
        return false;
    } else {
        codePoints = utf8CodePoints(begin, end);
    }
    return codePoints && std::any_of(codePoints->begin(), codePoints->end(), isRefusedCharacter);
}

bool consistent(const QByteArray &bytes)
{
    const char *begin = bytes.constData(), *end = begin + bytes.size();
    std::optional<std::u32string> codePoints;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        codePoints = utf8CodePoints(begin + 3, end);
    else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        codePoints = utf16CodePoints(begin + 2, end, bytes.at(0) == '\xFF');
    else if (!(codePoints = utf8CodePoints(begin, end)))
        return !bytes.contains('\0') && consistentLineEnds(std::string(begin, end)); // Windows-1252
    return codePoints && codePoints->find(U'\0') == std::u32string::npos && consistentLineEnds(*codePoints);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<LoadedPage> page = load(bytes);
    if (!page) {
        FUZZ_CHECK(refused(bytes));
        return 0;
    }
    FUZZ_CHECK(page->text == toCrLf(page->text));
    const std::optional<QByteArray> written = save(*page);
    if (!written) {
        // Refused: a Windows-1252 page whose line ends made uniform would
        // be read back as another encoding, or as other text.
        FUZZ_CHECK(page->format.encoding == FileEncoding::Windows1252);
        QByteArray uniform;
        FUZZ_CHECK(encodeText(withLineEnd(page->text, page->format.lineEnd), FileEncoding::Windows1252, uniform));
        const std::optional<LoadedPage> readBack = load(uniform);
        FUZZ_CHECK(!readBack || readBack->format.encoding != FileEncoding::Windows1252 || readBack->text != page->text);
        return 0;
    }
    const QByteArray &saved = *written;
    if (consistent(bytes))
        FUZZ_CHECK(saved == bytes);

    const std::optional<LoadedPage> again = load(saved);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->text == page->text);
    FUZZ_CHECK(again->format.encoding == page->format.encoding && again->format.lineEnd == page->format.lineEnd);
    FUZZ_CHECK(save(*again) == saved);
    return 0;
}
