#include "core/text/pagefile.h"
#include "core/wholetext/bytepasses.h"
#include "core/wholetext/compaction.h"
#include "core/wholetext/entities.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

struct Reference
{
    bool refused = false;
    QByteArray bytes;
    qsizetype count = 0;
};

// The pass as the editor's text path does it: decode, work on the CR LF
// text, encode again in the page's own format when anything changed.
Reference throughText(BytePass pass, const QByteArray &file)
{
    std::optional<LoadedPage> page = pageFromBytes({file, {}});
    if (!page)
        return {true, {}, 0};
    Reference ref;
    QString result;
    if (pass == BytePass::Compact) {
        result = compactTags(page->text);
        ref.count =
            withLineEnd(page->text, page->format.lineEnd).size() - withLineEnd(result, page->format.lineEnd).size();
    } else {
        TextConversion c =
            pass == BytePass::ToEntities ? charactersToEntities(page->text) : entitiesToCharacters(page->text);
        result = c.text;
        ref.count = c.count;
    }
    ref.bytes = file;
    if (result != page->text) {
        EXPECT_TRUE(encodeText(withLineEnd(result, page->format.lineEnd), page->format.encoding, ref.bytes));
    }
    return ref;
}

// Pieces of a page, split at "|".
const QStringList Pieces =
    QString::fromUtf16(u"a|Z| |   |<|>|{|}|<!--|-->|<pre>|</PRE>|<script |</scripts>|<Style>|</style|<textarea>|"
                       u"</textArea>|<b>|&eacute;|&trade;|&#171;|&amp;|&|;|&ETH;|é|ÿ|™|«|\u00A0|€|<scr\u0130pt>|"
                       u"<scr\u0131pt>|Ž|\t|<ſcript>|\u212A|\u4E2D|\U0001F600|\u2029|\uFDD1|\uFEFF|\uFFFE")
        .split(u'|');

QByteArray randomPage(QRandomGenerator &random)
{
    static const QString Breaks[] = {u"\r\n"_qs, u"\n"_qs, u"\r"_qs};
    const QString lineEnd = Breaks[random.bounded(3)];
    const bool mixed = random.bounded(8) == 0;
    QString text;
    // Now and then a page long enough for several 32- and 64-byte blocks.
    for (int i = random.bounded(random.bounded(10) == 0 ? 250 : 60); i > 0; --i) {
        const int pick = random.bounded(int(Pieces.size()) + 6);
        if (pick >= Pieces.size())
            text += mixed ? Breaks[random.bounded(3)] : lineEnd;
        else if (const QString &piece = Pieces.at(pick);
                 (piece != u"\u2029"_qs && piece != u"\uFDD1"_qs) || random.bounded(6) == 0) // rare refusals
            text += piece;
    }
    QByteArray bytes;
    switch (random.bounded(4)) {
    case 0:
        encodeText(text, FileEncoding::Utf8Bom, bytes);
        break;
    case 1:
        text.removeIf([](QChar c) { return !fitsWindows1252(QString(c)); });
        encodeWindows1252(text, bytes);
        break;
    default:
        bytes = text.toUtf8();
    }
    // Now and then a stray byte: broken UTF-8, a NUL, a lone line end.
    if (!bytes.isEmpty() && random.bounded(6) == 0) {
        static const char Stray[] = {'\x80', '\xC3', '\xED', '\xF4', '\0', '\r', '\n', '\xE2'};
        bytes[random.bounded(bytes.size())] = Stray[random.bounded(8)];
    }
    return bytes;
}

TEST(BytePassesTest, GiveTheBytesOfTheTextPathOnRandomPages)
{
    QRandomGenerator random(20261206);
    int native = 0;
    for (int round = 0; round < 4000; ++round) {
        const QByteArray file = randomPage(random);
        const ByteScan scan = scanPageBytes(file);
        ASSERT_EQ(scan, scanPageBytesOneByOne(file)) << file.toHex(' ').toStdString();
        // Output pieces from one byte up, so that entities and kept runs
        // straddle them.
        const qsizetype pieceSize = random.bounded(2) ? BytePassPiece : 1 + random.bounded(40);
        for (const BytePass pass : {BytePass::ToEntities, BytePass::FromEntities, BytePass::Compact}) {
            const Reference ref = throughText(pass, file);
            const auto where = [&] { return file.toHex(' ').toStdString() + " pass " + std::to_string(int(pass)); };
            if (scan.verdict == ByteScan::Verdict::Refused) {
                EXPECT_TRUE(ref.refused) << where();
                continue;
            }
            const std::optional<ByteOutcome> outcome = runBytePass(pass, file, scan, pieceSize);
            if (!outcome)
                continue;
            ++native;
            ASSERT_FALSE(ref.refused) << where();
            EXPECT_EQ(outcome->bytes, ref.bytes) << where();
            EXPECT_EQ(outcome->count, ref.count) << where();
            EXPECT_EQ(bytePassChangesFile(pass, file, scan), ref.bytes != file) << where();
        }
    }
    // Most pages must take the byte path, or the comparison proves little.
    EXPECT_GT(native, 6000);
}

TEST(BytePassesTest, ScanSortsPagesLikeTheReader)
{
    struct Case
    {
        QByteArray bytes;
        ByteScan::Verdict verdict;
        FileEncoding encoding;
        LineEnd lineEnd;
    };
    using V = ByteScan::Verdict;
    const Case cases[] = {
        {"", V::Ready, FileEncoding::Utf8, LineEnd::CrLf},
        {"a\nb\n", V::Ready, FileEncoding::Utf8, LineEnd::Lf},
        {"\xEF\xBB\xBF\xC3\xA9\r\n", V::Ready, FileEncoding::Utf8Bom, LineEnd::CrLf},
        {"\xE9t\xE9\r\n", V::Ready, FileEncoding::Windows1252, LineEnd::CrLf},
        {"\xED\xA0\x80", V::Ready, FileEncoding::Windows1252, LineEnd::CrLf}, // a surrogate is no UTF-8
        {"a\r\nb\n", V::TextPath, FileEncoding::Utf8, LineEnd::CrLf},
        {"\xFF\xFE"
         "a\0",
         V::TextPath, FileEncoding::Utf8, LineEnd::CrLf},
        {QByteArray("a\0b", 3), V::Refused, FileEncoding::Utf8, LineEnd::CrLf},
        {"a\xE2\x80\xA9", V::Refused, FileEncoding::Utf8, LineEnd::CrLf},
    };
    for (const Case &c : cases) {
        const ByteScan scan = scanPageBytes(c.bytes);
        EXPECT_EQ(scan.verdict, c.verdict) << c.bytes.toHex().toStdString();
        if (c.verdict != V::Ready)
            continue;
        EXPECT_EQ(scan.encoding, c.encoding) << c.bytes.toHex().toStdString();
        EXPECT_EQ(scan.lineEnd, c.lineEnd) << c.bytes.toHex().toStdString();
        const std::optional<LoadedPage> page = pageFromBytes({c.bytes, {}});
        ASSERT_TRUE(page.has_value());
        EXPECT_EQ(page->format.encoding, scan.encoding) << c.bytes.toHex().toStdString();
    }
}

// Every sequence of four bytes among those that decide UTF-8 validity, line
// ends and marks, across a block edge and cut short by the end of the file:
// the 32-byte scan finds what the byte-at-a-time scan finds.
TEST(BytePassesTest, WideScanAgreesOnEveryShortSequence)
{
    const unsigned char Bytes[] = {0x41, 0x0D, 0x0A, 0x00, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xA9,
                                   0xBF, 0xC1, 0xC5, 0xE0, 0xE2, 0xED, 0xF0, 0xF4, 0xF5};
    const qsizetype n = qsizetype(sizeof Bytes);
    int mismatches = 0;
    for (qsizetype code = 0; code < n * n * n * n; ++code) {
        char sequence[4];
        for (qsizetype i = 0, rest = code; i < 4; ++i, rest /= n)
            sequence[i] = char(Bytes[rest % n]);
        // Inside a page, and ending it after 34 and after 32 bytes.
        for (const auto &[at, size] : {std::pair{30, 64}, {30, 34}, {28, 32}}) {
            QByteArray file(size, 'a');
            file.replace(at, 4, sequence, 4);
            if (scanPageBytes(file) != scanPageBytesOneByOne(file) && ++mismatches < 5)
                ADD_FAILURE() << file.toHex(' ').toStdString();
        }
    }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
