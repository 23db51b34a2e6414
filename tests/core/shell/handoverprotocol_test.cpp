#include "core/shell/handoverprotocol.h"

#include <gtest/gtest.h>

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
    const QByteArray hello = "TESSALINE-HANDOVER 1\n";
    const Case cases[] = {
        {"only activation", hello + "ACTIVATE\nEND\n", S::Finished, {}, true},
        {"other extensions dropped", hello + "OPEN /a.doc\nOPEN /b.htm\nEND\n", S::Finished, {"/b.htm"}, false},
        {"projects taken", hello + "OPEN /site.PROJ\nEND\n", S::Finished, {"/site.PROJ"}, false},
        {"CR LF lines", "TESSALINE-HANDOVER 1\r\nOPEN /a.txt\r\nEND\r\n", S::Finished, {"/a.txt"}, false},
        {"unknown commands skipped", hello + "PING\n\nOPEN /a.htm\nEND\n", S::Finished, {"/a.htm"}, false},
        {"NUL in a name", hello + "OPEN /a%00b.htm\nOPEN\nOPEN \nEND\n", S::Finished, {}, false},
        {"after END ignored", hello + "END\nOPEN /late.htm\nACTIVATE\n", S::Finished, {}, false},
        {"wrong greeting", "GET / HTTP/1.0\nOPEN /a.htm\nEND\n", S::Rejected, {}, false},
        {"another version", "TESSALINE-HANDOVER 2\nEND\n", S::Rejected, {}, false},
        {"binary garbage", QByteArray("\x00\xff\xfe\n\n\x01", 6), S::Rejected, {}, false},
        {"cut before END", hello + "OPEN /a.htm\nOPEN /b.h", S::Reading, {"/a.htm"}, false},
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
