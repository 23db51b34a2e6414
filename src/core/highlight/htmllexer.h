#pragma once

#include <QStringView>

#include <vector>

// Line-by-line HTML lexer for the editor's colouring. Each line is read from
// the state the previous line ended in, so that a comment, a tag, a quoted
// attribute value or a SCRIPT block may run over several lines, and an edit
// only needs the lines from the edited one on. Text outside markup carries no
// token.
namespace htmllex {

enum class Kind : unsigned char { Tag, AttributeName, AttributeValue, Comment, Entity, Script };
constexpr int KindCount = 6;

struct Token
{
    int start;
    int length;
    Kind kind;
    bool operator==(const Token &) const = default;
};

// The state at the start of the first line.
constexpr int StartState = 0;

// Reads one line (without its line break) from state, appends its tokens
// (adjacent ones of one kind merged) to tokens when given, and returns the
// state at the end of the line. Any int from a previous call is a valid
// state; an unknown one reads as StartState.
int lexLine(QStringView line, int state, std::vector<Token> *tokens);

// Where a state leaves the reader, for code that asks what the caret is in.
enum class Place : unsigned char {
    Text,
    TagName,
    BetweenAttributes,
    AttributeName,
    AttributeValue,
    Comment,
    Declaration,
    Raw
};
Place placeOf(int state);
// The quote of the attribute value that a line starting in state is inside
// of, or a null character when it starts outside any quoted value.
QChar openQuote(int state);

// Length of the character reference at i ("&amp;", "&#233;", "&#xE9;"), 0
// when there is none. Numeric references may lack their ";", named ones not.
int referenceLength(QStringView s, int i);

} // namespace htmllex
