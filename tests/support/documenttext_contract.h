#pragma once

// The behaviour every implementation of the text contract shares. A test
// binary instantiates the suite with a holder type that owns one
// implementation: Holder(text) builds it, holding that text, unmodified,
// caret at 0; get() returns it.

#include "core/text/documenttext.h"

#include <gtest/gtest.h>

template<typename Holder> class TextContract : public ::testing::Test
{
protected:
    DocumentText &make(const QString &text)
    {
        m_holder = std::make_unique<Holder>(text);
        return m_holder->get();
    }

private:
    std::unique_ptr<Holder> m_holder;
};

TYPED_TEST_SUITE_P(TextContract);

TYPED_TEST_P(TextContract, LinesAndPositions)
{
    DocumentText &empty = this->make(QString());
    EXPECT_EQ(empty.lineCount(), 1);
    EXPECT_EQ(empty.line(0), QString());
    EXPECT_FALSE(empty.isModified());

    DocumentText &t = this->make(QStringLiteral("ab\r\ncd\r\n\u00A0\u2122"));
    EXPECT_EQ(t.length(), 10);
    ASSERT_EQ(t.lineCount(), 3);
    EXPECT_EQ(t.lines(), (QStringList{"ab", "cd", QStringLiteral("\u00A0\u2122")}));
    EXPECT_EQ(t.lineStart(2), 8);
    EXPECT_EQ(t.lineLength(1), 2);
    const int expected[][2] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {6, 1}, {8, 2}, {50, 2}};
    for (const auto &[position, line] : expected)
        EXPECT_EQ(t.lineFromPosition(position), line) << "position " << position;
    t.select(-5, 1000);
    EXPECT_EQ(t.selectionLength(), 10) << "clamped";
    t.select(100, 2);
    EXPECT_EQ(t.selectionStart(), 10);
    EXPECT_EQ(t.selectionLength(), 0);
}

TYPED_TEST_P(TextContract, PositionInsideLineBreakMovesToLineEnd)
{
    DocumentText &t = this->make(QStringLiteral("ab\r\ncd"));
    t.setSelectionStart(3);
    EXPECT_EQ(t.selectionStart(), 2);
    // A selection that would end between CR and LF stops before the CR, so
    // deleting it never leaves half a line break behind.
    t.select(1, 2);
    EXPECT_EQ(t.selectedText(), QStringLiteral("b"));
    t.deleteSelection();
    EXPECT_EQ(t.text(), QStringLiteral("a\r\ncd"));
    t.select(1, 2);
    EXPECT_EQ(t.selectedText(), QStringLiteral("\r\n"));
}

TYPED_TEST_P(TextContract, ReplaceSelectionNormalisesLineBreaks)
{
    const std::pair<const char *, const char *> cases[] = {
        {"x\ny", "ax\r\nyb\r\nc"}, {"x\ry", "ax\r\nyb\r\nc"},     {"x\r", "ax\r\nb\r\nc"},
        {"\r\n", "a\r\nb\r\nc"},   {"x\u2029y", "ax\r\nyb\r\nc"}, {"", "ab\r\nc"},
    };
    for (const auto &[inserted, expected] : cases) {
        DocumentText &t = this->make(QStringLiteral("ab\r\nc"));
        t.setSelectionStart(1);
        ASSERT_TRUE(t.replaceSelection(QString::fromUtf8(inserted)));
        EXPECT_EQ(t.text(), QString::fromUtf8(expected)) << inserted;
        EXPECT_EQ(t.selectionStart(), 1 + int(toCrLf(QString::fromUtf8(inserted)).size()));
        EXPECT_EQ(t.isModified(), *inserted != 0) << "an empty insertion changes nothing";
    }

    DocumentText &t = this->make(QStringLiteral("one\r\ntwo\r\nthree"));
    t.select(2, 5);
    t.replaceSelection(QStringLiteral("-"));
    EXPECT_EQ(t.text(), QStringLiteral("on-o\r\nthree"));
    EXPECT_EQ(t.lineCount(), 2);
    t.setText(QStringLiteral("new\nlines"));
    EXPECT_EQ(t.text(), QStringLiteral("new\r\nlines"));
    EXPECT_EQ(t.selectionStart(), 0);
}

TYPED_TEST_P(TextContract, SetLineKeepsSelectionOnLaterLines)
{
    DocumentText &t = this->make(QStringLiteral("a\r\nbb\r\nccc\r\ndd"));
    t.select(t.lineStart(2) + 1, 2); // "cc"
    t.setLine(1, QStringLiteral("BBBBB"));
    EXPECT_EQ(t.text(), QStringLiteral("a\r\nBBBBB\r\nccc\r\ndd"));
    EXPECT_EQ(t.selectedText(), QStringLiteral("cc"));
}

TYPED_TEST_P(TextContract, FindTextBeforeAndAfterTheCaret)
{
    // Only the first occurrence of each line is looked at.
    DocumentText &t = this->make(QStringLiteral("<form> x <FORM>\r\nabc Form\r\n<FORM>"));
    const int line1 = t.lineStart(1);
    const int line2 = t.lineStart(2);
    const int cases[][3] = {
        // caret, before, after
        {0, 0, 2},
        {2, 0, line1 + 5}, // equal positions count on neither side
        {7, 2, line1 + 5}, // same line: the second occurrence is not seen
        {line1 + 6, line1 + 5, line2 + 2},
        {line2 + 6, line2 + 2, 0}, // end of the text
    };
    for (const auto &[caret, before, after] : cases) {
        t.setSelectionStart(caret);
        EXPECT_EQ(t.FindTextBefore(QStringLiteral("form")), before) << "caret " << caret;
        EXPECT_EQ(t.FindTextAfter(QStringLiteral("form")), after) << "caret " << caret;
    }
}

REGISTER_TYPED_TEST_SUITE_P(TextContract, LinesAndPositions, PositionInsideLineBreakMovesToLineEnd,
                            ReplaceSelectionNormalisesLineBreaks, SetLineKeepsSelectionOnLaterLines,
                            FindTextBeforeAndAfterTheCaret);
