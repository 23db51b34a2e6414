#pragma once

#include <QString>
#include <QStringView>

class PassProgress;

// Squeezes the whitespace outside tags and braces so that a page becomes
// one long run of text that renders the same:
// - outside tags ("<" ... ">") and braces ("{" ... "}", script bodies), a run
//   of blanks, CR and LF keeps its first blank and one blank for every LF
//   after the first character of the run; a run that starts with a line
//   break starts with nothing, so a CR LF becomes one blank and the blanks
//   that indent a line disappear;
// - inside tags and braces everything is copied unchanged, line breaks
//   included;
// - a run is not ended by a tag or a brace pair: "a <B> b" gives "a <B>b";
// - the content of PRE, TEXTAREA, SCRIPT and STYLE elements (names in any
//   case) is copied unchanged up to the element's end tag (to the end of the
//   text when it has none): browsers show or run it as it is written.
// A ">" or "}" that closes nothing is an ordinary character.
// The result is never longer than the text.
QString compactTags(QStringView text, PassProgress *progress = nullptr);
