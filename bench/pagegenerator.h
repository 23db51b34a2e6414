#pragma once

#include <QString>

// A page of about `characters` characters that looks like the pages the
// editor works on: CR LF line ends, indented markup, accented French text,
// comments and scripts with braces. The same size always gives the same page.
QString generatePage(qsizetype characters);
// The generated page of that many megabytes, made once and kept for the
// benchmarks that run on it again and again.
const QString &generatedPage(qint64 megabytes);
