#include "core/text/linestore.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(LineStore, SplitsOnEveryLineBreakForm)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n", {"a", ""}},
        {QStringView(u"a\u2029b\uFDD0c\uFDD1").toString(), {"a", "b", "c", ""}},
    };
    for (const Case &c : cases) {
        const LineStore store(c.text);
        QStringList lines;
        for (int i = 0; i < store.lineCount(); ++i)
            lines << store.line(i);
        EXPECT_EQ(lines, c.lines) << c.text.toStdString();
        EXPECT_EQ(store.length(), c.lines.join(u'\n').size());
    }
}

// Random edits against the same edits on a plain string.
TEST(LineStore, EditsMatchAPlainString)
{
    std::mt19937 random(7);
    const QString pieces[] = {"", "x", "ab", "\n", "\r\n", "q\nr", "\n\n", "é\r"};
    for (int round = 0; round < 50; ++round) {
        QString model = "one\ntwo\n\nthree";
        LineStore store(model);
        for (int step = 0; step < 40; ++step) {
            const int from = int(random() % (model.size() + 1));
            const int removed = int(random() % 6);
            const QString &piece = pieces[random() % std::size(pieces)];
            QString normal = piece;
            normal.replace("\r\n", "\n").replace('\r', '\n');
            const int inserted = store.replace(from, removed, piece);
            model.replace(from, std::min<int>(removed, model.size() - from), normal);
            ASSERT_EQ(inserted, normal.size());
            ASSERT_EQ(store.text(), model);
            // Queries from a random line, so that stale starts would show.
            const int probe = int(random() % (model.size() + 1));
            const int line = store.lineOf(probe);
            ASSERT_EQ(line, model.first(probe).count('\n'));
            ASSERT_LE(store.lineStart(line), probe);
            ASSERT_LE(probe, store.lineStart(line) + store.lineLength(line));
            const int a = int(random() % (model.size() + 1));
            const int b = int(random() % (model.size() + 1));
            ASSERT_EQ(store.slice(std::min(a, b), std::max(a, b), u"\r\n"),
                      model.mid(std::min(a, b), std::abs(a - b)).replace("\n", "\r\n"));
        }
    }
}

TEST(LineStore, ClampsPositionsOutsideTheText)
{
    LineStore store(QStringLiteral("ab\ncd"));
    EXPECT_EQ(store.lineOf(-5), 0);
    EXPECT_EQ(store.lineOf(99), 1);
    EXPECT_EQ(store.replace(99, 3, u"!"), 1);
    EXPECT_EQ(store.replace(-1, 99, u"z"), 1);
    EXPECT_EQ(store.text(), "z");
}

} // namespace
