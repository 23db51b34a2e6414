#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class DocumentText;
class UndoHistory;
struct EditorState;

struct SearchOptions
{
    bool matchCase = false;
    // Only occurrences whose neighbours (when there are any) are neither
    // letters nor digits.
    bool wholeWord = false;
    // The search text is a regular expression; the replacement may name its
    // groups ("\\1"). See Matcher.
    bool regex = false;
};

// How long one search or replace-all of the dialog may take before it is
// stopped (an expression can take very long on some texts).
constexpr qint64 SearchTimeLimitMs = 3000;

// Whether the occurrence of `length` characters at `start` stands alone as a
// word in text: the characters just before and after it are not letters or
// digits.
bool isWholeWordAt(QStringView text, qsizetype start, qsizetype length);

// Start of the first occurrence of needle that lies wholly between from and
// to (to excluded), or -1. Word boundaries are judged on the whole text.
qsizetype findInRange(QStringView text, QStringView needle, qsizetype from, qsizetype to, SearchOptions options);

// The find dialog's memory between two searches.
struct SearchState
{
    // Caret position where the current cycle of searches began; -1 for none.
    int SearchOrigin = -1;
    // A global search may still wrap around to the start once.
    bool WrapPending = false;
    // The last search selected a match, which "&Remplacer" may replace.
    bool MatchSelected = false;
    // The last search was stopped: the expression took too long.
    bool Stopped = false;
};

// Searches from the end of the selection and selects the match. A global
// search runs to the end of the text, then wraps once to the start and finds
// the occurrences that start before where the cycle began; otherwise it
// stops at the end of the text.
bool FindNext(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options);

// "&Trouver": starts a new cycle when the selection is not the search text
// (or no cycle runs), then FindNext. A match is marked as selected; when
// none is found the cycle ends.
bool FindCommand(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options);

struct ReplaceStep
{
    bool replaced = false; // the selected match was replaced
    bool found = false;    // the next match is selected
};

// "&Remplacer" in replace mode: replaces the selected match (one ukReplace
// step through the insertion engine), then searches on as FindCommand does.
// Only a selection that still is the last match is replaced: a selection
// the user made elsewhere since is searched from, never overwritten.
ReplaceStep ReplaceCommand(DocumentText &text, UndoHistory &undo, EditorState &editorState, SearchState &state,
                           const QString &needle, const QString &replacement, bool global, SearchOptions options);

struct ReplaceAllResult
{
    QString text;
    qsizetype count = 0;
};

// Replaces every occurrence of needle in text from position `from` on
// (the part before it stays as it is), left to right, without overlaps.
// With whole word, an occurrence that is part of a longer word stays and
// the search goes on from its second character.
ReplaceAllResult replaceAllInText(QStringView text, qsizetype from, QStringView needle, QStringView replacement,
                                  SearchOptions options);

// How many occurrences replaceAllInText would replace.
qsizetype countReplacements(QStringView text, qsizetype from, QStringView needle, SearchOptions options);

// "Remplacer &tous": one ukWholeText step over the whole text (global) or
// from the caret on (downward). Returns the count, or, with nothing changed,
// ReplaceAllTooLong when the result would be longer than a page may be and
// ReplaceAllStopped when the expression took too long or is invalid.
constexpr qsizetype ReplaceAllTooLong = -1;
constexpr qsizetype ReplaceAllStopped = -2;
qsizetype ReplaceAll(DocumentText &text, UndoHistory &undo, const QString &needle, const QString &replacement,
                     SearchOptions options, bool downward);

// The history of a search combo: text first, an equal entry dropped, at
// most MaxHistory entries. An empty text changes nothing.
constexpr int MaxHistory = 8;
void addToHistory(QStringList &history, const QString &text);
