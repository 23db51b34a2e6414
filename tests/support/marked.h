#pragma once

#include "core/text/documenttext.h"

#include <QString>

// Pages written with their selection marked: "ab[cd]ef" selects "cd",
// "ab|cd" puts the caret between b and d. Line breaks are written "\r\n".
inline void setMarked(DocumentText &text, const QString &marked)
{
    QString plain = marked;
    int start = int(plain.indexOf(u'['));
    int length = 0;
    if (start >= 0) {
        const int end = int(plain.indexOf(u']'));
        plain.remove(end, 1);
        plain.remove(start, 1);
        length = end - start - 1;
    } else {
        start = int(plain.indexOf(u'|'));
        if (start >= 0)
            plain.remove(start, 1);
        else
            start = 0;
    }
    text.setText(plain);
    text.select(start, length);
}

inline QString marked(const DocumentText &text)
{
    QString result = text.text();
    const int start = text.selectionStart();
    const int length = text.selectionLength();
    if (length > 0) {
        result.insert(start + length, u']');
        result.insert(start, u'[');
    } else {
        result.insert(start, u'|');
    }
    return result;
}
