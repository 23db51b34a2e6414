#pragma once

#include <QDate>
#include <QString>

class DocumentText;
class UndoHistory;

// The header comment that Tessaline keeps at the top of every page it
// creates, with its creation and last-modification dates.

// A date as the header writes it: "dd/MM/yy", eight characters.
QString headerDate(const QDate &date);

// The text of a new page: the header comment and an empty HTML skeleton,
// thirteen lines, each ended by CR LF. The title goes in as typed.
QString newPageText(const QString &title, const QString &author, const QDate &today);

// The line (zero-based) where the caret stands in a new page: the first
// empty line inside the body.
constexpr int NewPageCaretLine = 9;

// Rewrites the third line's date when it is a header line of the expected
// form ("DERNIERE MODIFICATION: " and an eight-character date once trimmed)
// and does not already carry today's date. The selection stays where it
// was. Returns whether the line was rewritten.
bool UpdateModificationLine(DocumentText &text, const QDate &today);

// The same for a page with its history. The line is replaced without an undo
// step: when it changes length, the positions of the page's records no
// longer fit its text, and its history is cleared.
bool UpdateModificationLine(DocumentText &text, UndoHistory &history, const QDate &today);
