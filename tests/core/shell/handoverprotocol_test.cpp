#include "core/shell/handoverprotocol.h"

#include <gtest/gtest.h>

namespace {

QByteArray message(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *line : lines)
        out += QByteArray(line) + '\n';
    return out;
}

} // namespace

TEST(HandOverProtocol, WhatIsSentIsReadBackInAnyPieces)
{
    const QStringList paths = {QStringLiteral("/site/a.htm"), QStringLiteral("/site/b.shtml"),
                               QStringLiteral("/site/dossier été/c 100%.txt"), QStringLiteral("/site/line\nbreak.htm"),
                               QStringLiteral("/site/R&D #1?.html")};
    const QByteArray bytes = HandOverProtocol::encode(paths, true);
    // Every path is written on one line of plain ASCII.
    for (char ch : bytes)
        EXPECT_TRUE(ch > 0) << "non-ASCII byte";
    EXPECT_EQ(bytes.count('\n'), paths.size() + 3);

    for (qsizetype piece : {qsizetype(1), qsizetype(2), qsizetype(7), bytes.size()}) {
        HandOverDecoder decoder;
        HandOverDecoder::State state = HandOverDecoder::State::Reading;
        for (qsizetype at = 0; at < bytes.size(); at += piece) {
            EXPECT_EQ(state, HandOverDecoder::State::Reading) << "finished early, piece " << piece;
            state = decoder.feed(bytes.mid(at, piece));
        }
        EXPECT_EQ(state, HandOverDecoder::State::Finished) << "piece " << piece;
        EXPECT_EQ(decoder.files(), paths) << "piece " << piece;
        EXPECT_TRUE(decoder.activationRequested());
    }
}

TEST(HandOverProtocol, ReaderKeepsOnlyWellFormedDocumentNames)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        HandOverDecoder::State state;
        QStringList files;
        bool activate;
    };
    using S = HandOverDecoder::State;
    const Case cases[] = {
        {"no_files_only_activation", message({"TESSALINE-HANDOVER 1", "ACTIVATE", "END"}), S::Finished, {}, true},
        {"other_extensions_dropped",
         message({"TESSALINE-HANDOVER 1", "OPEN /a.doc", "OPEN /b.htm", "END"}),
         S::Finished,
         {QStringLiteral("/b.htm")},
         false},
        {"crlf_lines",
         QByteArray("TESSALINE-HANDOVER 1\r\nOPEN /a.txt\r\nEND\r\n"),
         S::Finished,
         {QStringLiteral("/a.txt")},
         false},
        {"unknown_commands_skipped",
         message({"TESSALINE-HANDOVER 1", "PING", "", "OPEN /a.htm", "END"}),
         S::Finished,
         {QStringLiteral("/a.htm")},
         false},
        {"nul_in_name_dropped",
         message({"TESSALINE-HANDOVER 1", "OPEN /a%00b.htm", "OPEN", "OPEN ", "END"}),
         S::Finished,
         {},
         false},
        {"after_end_ignored",
         message({"TESSALINE-HANDOVER 1", "END", "OPEN /late.htm", "ACTIVATE"}),
         S::Finished,
         {},
         false},
        {"wrong_greeting", message({"GET / HTTP/1.0", "OPEN /a.htm", "END"}), S::Rejected, {}, false},
        {"greeting_of_another_version", message({"TESSALINE-HANDOVER 2", "END"}), S::Rejected, {}, false},
        {"binary_garbage", QByteArray("\x00\xff\xfe\n\n\x01", 6), S::Rejected, {}, false},
        {"cut_before_end",
         QByteArray("TESSALINE-HANDOVER 1\nOPEN /a.htm\nOPEN /b.h"),
         S::Reading,
         {QStringLiteral("/a.htm")},
         false},
    };
    for (const Case &c : cases) {
        HandOverDecoder decoder;
        EXPECT_EQ(decoder.feed(c.bytes), c.state) << c.name;
        EXPECT_EQ(decoder.files(), c.files) << c.name;
        EXPECT_EQ(decoder.activationRequested(), c.activate) << c.name;
    }
}

TEST(HandOverProtocol, ReaderRejectsWhatGrowsPastItsLimits)
{
    // A line that never ends.
    HandOverDecoder endless;
    endless.feed("TESSALINE-HANDOVER 1\nOPEN /");
    const QByteArray chunk(4096, 'x');
    HandOverDecoder::State state = HandOverDecoder::State::Reading;
    for (int i = 0; i < 64 && state == HandOverDecoder::State::Reading; ++i)
        state = endless.feed(chunk);
    EXPECT_EQ(state, HandOverDecoder::State::Rejected);
    EXPECT_EQ(endless.feed("\nEND\n"), HandOverDecoder::State::Rejected);

    // Many short lines that never reach END.
    HandOverDecoder flood;
    flood.feed("TESSALINE-HANDOVER 1\n");
    const QByteArray lines = (QByteArray(1023, 'x') + '\n').repeated(256);
    state = HandOverDecoder::State::Reading;
    for (int i = 0; i < 100 && state == HandOverDecoder::State::Reading; ++i)
        state = flood.feed(lines);
    EXPECT_EQ(state, HandOverDecoder::State::Rejected);

    // A long but acceptable path passes.
    const QString longPath = QLatin1Char('/') + QString(4000, QLatin1Char('d')) + QStringLiteral(".htm");
    HandOverDecoder ok;
    EXPECT_EQ(ok.feed(HandOverProtocol::encode({longPath}, false)), HandOverDecoder::State::Finished);
    EXPECT_EQ(ok.files(), QStringList{longPath});
}
