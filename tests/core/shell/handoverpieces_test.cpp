#include "core/shell/handoverprotocol.h"

#include <gtest/gtest.h>

// The longest line a reader takes, ended by CR LF, is read the same whether
// the message comes in one piece or is cut between the CR and the LF.
TEST(HandOverPieces, LongestLineEndedByCrLfInAnyPieces)
{
    const QByteArray open = "OPEN /" + QByteArray(HandOverProtocol::MaxLineLength - 10, 'x') + ".htm";
    ASSERT_EQ(open.size(), HandOverProtocol::MaxLineLength);
    const QByteArray first = QByteArray(HandOverProtocol::Greeting) + '\n' + open + '\r';
    const QByteArray second = "\nEND\n";
    for (const bool cut : {false, true}) {
        HandOverDecoder decoder;
        if (cut)
            decoder.feed(first);
        const auto state = cut ? decoder.feed(second) : decoder.feed(first + second);
        EXPECT_EQ(state, HandOverDecoder::State::Finished) << "cut " << cut;
        EXPECT_EQ(decoder.files().size(), 1) << "cut " << cut;
    }
}
