#pragma once

// The behaviour every implementation of the text contract shares. A test
// binary instantiates the suite with a holder type that owns one
// implementation: Holder(text) builds it, holding that text, unmodified,
// caret at 0; get() returns it.

#include "core/text/documenttext.h"

#include <gtest/gtest.h>

template<typename Holder>
class TextContract : public ::testing::Test
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

TYPED_TEST_P(TextContract, EmptyTextHasOneEmptyLine)
{
    DocumentText &t = this->make(QString());
    EXPECT_EQ(t.length(), 0);
    EXPECT_EQ(t.lineCount(), 1);
    EXPECT_EQ(t.line(0), QString());
    EXPECT_EQ(t.lineStart(0), 0);
    EXPECT_EQ(t.lineFromPosition(0), 0);
    EXPECT_EQ(t.selectedText(), QString());
    t.selectAll();
    EXPECT_EQ(t.selectionLength(), 0);
    EXPECT_FALSE(t.isModified());
}

TYPED_TEST_P(TextContract, LineBreaksCountTwoPositions)
{
    DocumentText &t = this->make(QStringLiteral("ab\r\ncd\r\n"));
    EXPECT_EQ(t.text(), QStringLiteral("ab\r\ncd\r\n"));
    EXPECT_EQ(t.length(), 8);
    ASSERT_EQ(t.lineCount(), 3);
    EXPECT_EQ(t.lines(), (QStringList{"ab", "cd", ""}));
    EXPECT_EQ(t.lineStart(1), 4);
    EXPECT_EQ(t.lineStart(2), 8);
    EXPECT_EQ(t.lineLength(1), 2);
    EXPECT_EQ(t.lineLength(2), 0);
    // Position -> line, including the end of a line and past the text.
    const int expected[][2] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {6, 1}, {8, 2}, {50, 2}};
    for (const auto &[position, line] : expected)
        EXPECT_EQ(t.lineFromPosition(position), line) << "position " << position;
}

TYPED_TEST_P(TextContract, LastLineWithoutLineBreak)
{
    DocumentText &t = this->make(QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(t.length(), 6);
    EXPECT_EQ(t.lineCount(), 2);
    EXPECT_EQ(t.line(1), QStringLiteral("cd"));
    t.select(1, 4);
    EXPECT_EQ(t.selectedText(), QStringLiteral("b\r\nc"));
    t.setSelectionStart(t.length());
    EXPECT_EQ(t.selectionStart(), 6);
}

TYPED_TEST_P(TextContract, PositionInsideLineBreakMovesToLineEnd)
{
    DocumentText &t = this->make(QStringLiteral("ab\r\ncd"));
    t.setSelectionStart(3);
    EXPECT_EQ(t.selectionStart(), 2);
    EXPECT_EQ(t.selectionLength(), 0);
    // A selection that would end between CR and LF stops before the CR.
    t.select(0, 3);
    EXPECT_EQ(t.selectedText(), QStringLiteral("ab"));
    t.select(1, 2);
    EXPECT_EQ(t.selectedText(), QStringLiteral("b"));
    // So deleting it can never leave half a line break behind.
    t.deleteSelection();
    EXPECT_EQ(t.text(), QStringLiteral("a\r\ncd"));
    // Both characters of the break are selected together.
    t.select(1, 2);
    EXPECT_EQ(t.selectedText(), QStringLiteral("\r\n"));
}

TYPED_TEST_P(TextContract, OutOfRangeSelectionIsClamped)
{
    DocumentText &t = this->make(QStringLiteral("abc\r\nd"));
    t.select(-5, 1000);
    EXPECT_EQ(t.selectionStart(), 0);
    EXPECT_EQ(t.selectionLength(), 6);
    t.select(100, 2);
    EXPECT_EQ(t.selectionStart(), 6);
    EXPECT_EQ(t.selectionLength(), 0);
}

TYPED_TEST_P(TextContract, ReplaceSelectionNormalisesLineBreaks)
{
    struct Case
    {
        const char *inserted;
        const char *expected;
    };
    const Case cases[] = {
        {"x\ny", "ax\r\nyb\r\nc"},
        {"x\r\ny", "ax\r\nyb\r\nc"},
        {"x\ry", "ax\r\nyb\r\nc"},
        {"\r\n", "a\r\nb\r\nc"},
        {"x\r", "ax\r\nb\r\nc"},
        {"x\u2029y", "ax\r\nyb\r\nc"},
        {"", "ab\r\nc"},
    };
    for (const Case &c : cases) {
        DocumentText &t = this->make(QStringLiteral("ab\r\nc"));
        t.setSelectionStart(1);
        ASSERT_TRUE(t.replaceSelection(QString::fromUtf8(c.inserted)));
        EXPECT_EQ(t.text(), QString::fromUtf8(c.expected)) << c.inserted;
        EXPECT_EQ(t.selectionStart(), 1 + int(toCrLf(QString::fromUtf8(c.inserted)).size()));
        EXPECT_EQ(t.selectionLength(), 0);
        EXPECT_EQ(t.length(), int(QString::fromUtf8(c.expected).size()));
        EXPECT_EQ(t.isModified(), *c.inserted != 0) << "an empty insertion changes nothing";
    }
}

TYPED_TEST_P(TextContract, ReplacingAcrossLinesJoinsThem)
{
    DocumentText &t = this->make(QStringLiteral("one\r\ntwo\r\nthree"));
    t.select(2, 5);
    EXPECT_EQ(t.selectedText(), QStringLiteral("e\r\ntw"));
    t.replaceSelection(QStringLiteral("-"));
    EXPECT_EQ(t.text(), QStringLiteral("on-o\r\nthree"));
    EXPECT_EQ(t.lineCount(), 2);
    EXPECT_EQ(t.selectionStart(), 3);
    // Inserting at the end of a line keeps the break after the insertion.
    t.setSelectionStart(t.lineStart(0) + t.lineLength(0));
    t.replaceSelection(QStringLiteral("X"));
    EXPECT_EQ(t.text(), QStringLiteral("on-oX\r\nthree"));
}

TYPED_TEST_P(TextContract, SpecialCharactersSurvive)
{
    const QString text = QStringLiteral("a\u00A0b\tc\r\n\u2122");
    DocumentText &t = this->make(text);
    EXPECT_EQ(t.text(), text);
    t.select(0, 3);
    EXPECT_EQ(t.selectedText(), QStringLiteral("a\u00A0b"));
}

TYPED_TEST_P(TextContract, SetLineKeepsSelectionOnLaterLines)
{
    DocumentText &t = this->make(QStringLiteral("a\r\nbb\r\nccc\r\ndd"));
    t.select(t.lineStart(2) + 1, 2); // "cc"
    t.setLine(1, QStringLiteral("BBBBB"));
    EXPECT_EQ(t.text(), QStringLiteral("a\r\nBBBBB\r\nccc\r\ndd"));
    EXPECT_EQ(t.selectedText(), QStringLiteral("cc"));
    EXPECT_EQ(t.selectionStart(), t.lineStart(2) + 1);
}

TYPED_TEST_P(TextContract, SetTextReplacesEverything)
{
    DocumentText &t = this->make(QStringLiteral("old"));
    t.setText(QStringLiteral("new\nlines\r\n"));
    EXPECT_EQ(t.text(), QStringLiteral("new\r\nlines\r\n"));
    EXPECT_EQ(t.selectionStart(), 0);
    EXPECT_TRUE(t.isModified());
    t.setModified(false);
    EXPECT_FALSE(t.isModified());
}

TYPED_TEST_P(TextContract, FindTextBeforeAndAfterTheCaret)
{
    // Line 0 holds two occurrences: only the first of each line is looked at.
    DocumentText &t = this->make(QStringLiteral("<form> x <FORM>\r\nabc Form\r\n<FORM>"));
    const int line1 = t.lineStart(1);
    const int line2 = t.lineStart(2);
    struct Case
    {
        int caret;
        int before;
        int after;
    };
    const Case cases[] = {
        {0, 0, 2},                        // the caret before the first "<"
        {1, 0, 2},                        // one-based position 2 is after caret 1
        {2, 0, line1 + 5},                // equal positions count on neither side
        {7, 2, line1 + 5},                // same line: the second occurrence is not seen
        {line1, 2, line1 + 5},            // start of a line
        {line1 + 6, line1 + 5, line2 + 2},
        {line2 + 1, line1 + 5, line2 + 2},
        {line2 + 2, line1 + 5, 0},
        {line2 + 6, line2 + 2, 0},        // end of the text
    };
    for (const Case &c : cases) {
        t.setSelectionStart(c.caret);
        EXPECT_EQ(t.FindTextBefore(QStringLiteral("form")), c.before) << "caret " << c.caret;
        EXPECT_EQ(t.FindTextAfter(QStringLiteral("form")), c.after) << "caret " << c.caret;
    }
    EXPECT_EQ(t.FindTextAfter(QStringLiteral("script")), 0);
}

REGISTER_TYPED_TEST_SUITE_P(TextContract, EmptyTextHasOneEmptyLine, LineBreaksCountTwoPositions,
                            LastLineWithoutLineBreak, PositionInsideLineBreakMovesToLineEnd,
                            OutOfRangeSelectionIsClamped, ReplaceSelectionNormalisesLineBreaks,
                            ReplacingAcrossLinesJoinsThem, SpecialCharactersSurvive,
                            SetLineKeepsSelectionOnLaterLines, SetTextReplacesEverything,
                            FindTextBeforeAndAfterTheCaret);
