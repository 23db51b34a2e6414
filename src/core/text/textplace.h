#pragma once

#include <QStringView>

// Where a position of a text lands after the text was rewritten as a whole:
// unchanged before the first difference, moved with the text after the last
// one, and between them on the same line (when the rewrite kept the number
// of lines) at the same distance from the unchanged parts of that line, or
// else at the same proportion of the changed part. The result lies in
// 0..after.size().
qsizetype mapPosition(QStringView before, QStringView after, qsizetype position);
