#pragma once

#include <QString>
#include <QStringView>

#include <optional>

class LineStore;

// Tags read out of a page with the colouring's lexer, a bounded stretch at a
// time, so that a page of 50 MB, a million lines or one 5 MB line costs no
// more than the stretch. The lexer's state where a stretch starts is found
// by reading a few thousand characters before it: it settles at the first
// ">" or "-->", so only a comment or script longer than that around the
// stretch's start can mislead it.
namespace tagscan {

// A tag's name in the page: its line, the column where the name starts
// (after "<" or "</") and its length.
struct TagMark
{
    int line = 0;
    int column = 0;
    int length = 0;
    bool end = false;
    bool operator==(const TagMark &) const = default;
};

// Characters read at most by one search before it gives up.
inline constexpr qint64 SearchLimit = 2 * 1024 * 1024;

// The lexer's state at column of line, from the characters before it.
int stateBefore(const LineStore &lines, int line, int column);

// Elements that never hold content (BR, IMG, ...), letter case ignored.
bool isVoidElement(QStringView name);

// The tag whose name holds column (its first to just past its last
// character) on line.
std::optional<TagMark> tagNameAt(const LineStore &lines, int line, int column);

// The innermost element still open before column of line: the nearest start
// tag before it whose end tag does not come before it either. Void elements
// are not open. Nothing when none is found within limit characters.
std::optional<TagMark> innermostOpenElement(const LineStore &lines, int line, int column, qint64 limit = SearchLimit);

// The end tag that closes the start tag at, or the start tag that the end
// tag at closes, counting nested elements of the same name. Nothing for a
// void element or when none is found within limit characters.
std::optional<TagMark> matchingTag(const LineStore &lines, const TagMark &at, qint64 limit = SearchLimit);

// The mark's name as it stands in the page.
QString nameOf(const LineStore &lines, const TagMark &mark);

} // namespace tagscan
