#include "core/markup/identifiers.h"

#include <QList>

namespace {

// Unaccented form of the Latin-1 letters 0xC0 to 0xFF; 0 for the two signs
// of that range (multiplication and division), which are dropped.
constexpr char kFolded[64 + 1] = "AAAAAAACEEEEIIII"   // C0-CF
                                 "DNOOOOO\0OUUUUYDb"  // D0-DF
                                 "aaaaaaaceeeeiiii"   // E0-EF
                                 "enooooo\0ouuuuyby"; // F0-FF

} // namespace

QString MakeIdentifier(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0xC0 && c <= 0xFF) {
            const char folded = kFolded[c - 0xC0];
            if (folded)
                result += QLatin1Char(folded);
        } else if (c == U'_' || QChar::isLetter(c) || QChar::isDigit(c)) {
            result += QString::fromUcs4(&c, 1);
        }
    }
    return result;
}

QString StripSpacesOutsideQuotes(const QString &text)
{
    QString result;
    result.reserve(text.size());
    bool inside = false;
    for (const QChar c : text) {
        if (c == u'"')
            inside = !inside;
        else if (c == u' ' && !inside)
            continue;
        result += c;
    }
    return result;
}
