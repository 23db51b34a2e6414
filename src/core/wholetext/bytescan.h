#pragma once

#include "core/text/documenttext.h"

#include <QByteArrayView>

// A first look at a page file's bytes before anything reads them into
// memory or decodes them: what certainly makes the page one the editor
// refuses, found without going past the first NUL. Anything it lets through
// is still checked when the page is decoded.
enum class PageBytesProblem {
    None,
    Nul,     // a NUL character: a binary file, not a page of text
    TooLong, // certainly more characters than a page may hold
};

// UTF-16 pages (with their mark) are looked at a character at a time; any
// other page is UTF-8 or Windows-1252, where a NUL is a zero byte and each
// character but those of four UTF-8 bytes starts with a byte that does not
// continue another.
PageBytesProblem prescanPageBytes(QByteArrayView bytes, qsizetype maxLength = DocumentText::MaxLength);
