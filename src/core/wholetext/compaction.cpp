#include "core/wholetext/compaction.h"

#include "core/wholetext/passprogress.h"
#include "core/wholetext/textscan.h"

namespace {

// Elements whose content a browser shows or runs as it is written: their
// whitespace matters (PRE, TEXTAREA) or a line break ends a script comment.
constexpr QLatin1String VerbatimElements[] = {QLatin1String("pre"), QLatin1String("textarea"), QLatin1String("script"),
                                              QLatin1String("style")};

bool isNameCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u':'
           || c == u'_';
}

// The verbatim element whose start tag's name begins at p (just after the
// "<"), ignoring case; empty when it is another tag.
QLatin1String verbatimElementAt(const char16_t *p, const char16_t *end)
{
    for (const QLatin1String name : VerbatimElements) {
        if (end - p < name.size())
            continue;
        const QStringView candidate(p, name.size());
        const char16_t *after = p + name.size();
        if (candidate.compare(name, Qt::CaseInsensitive) == 0 && (after == end || !isNameCharacter(*after)))
            return name;
    }
    return {};
}

// Where the end tag of the element starts ("</" + name, ignoring case), or
// end when it has none.
const char16_t *endTagOf(QLatin1String name, const char16_t *p, const char16_t *end)
{
    const QStringView rest(p, end - p);
    for (qsizetype from = 0;;) {
        const qsizetype at = rest.indexOf(u"</", from);
        if (at < 0)
            return end;
        const char16_t *nameStart = p + at + 2;
        if (end - nameStart >= name.size()
            && QStringView(nameStart, name.size()).compare(name, Qt::CaseInsensitive) == 0
            && (nameStart + name.size() == end || !isNameCharacter(nameStart[name.size()])))
            return p + at;
        from = at + 2;
    }
}

} // namespace

QString compactTags(QStringView text, PassProgress *progress)
{
    const qsizetype n = text.size();
    const char16_t *const in = text.utf16();
    const char16_t *const end = in + n;
    // Every character gives at most one, so the result fits in n.
    QString result(n, Qt::Uninitialized);
    char16_t *const outBegin = reinterpret_cast<char16_t *>(result.data());
    char16_t *out = outBegin;
    ProgressTicker ticker(n, progress);

    const auto insideStops = [](textscan::Block block) {
        using namespace textscan;
        return any(any(equal(block, u'<'), equal(block, u'>')), any(equal(block, u'{'), equal(block, u'}')));
    };
    const auto isInsideStop = [](char16_t c) { return c == u'<' || c == u'>' || c == u'{' || c == u'}'; };
    bool inTag = false;
    bool inBraces = false;
    bool inBlankRun = false;
    // The verbatim element whose start tag is being read.
    QLatin1String verbatim;

    const char16_t *p = in;
    while (p < end) {
        ticker.at(p - in);
        // The output never runs ahead of the input, so the scans may write
        // their eight characters ahead into the result.
        if (inTag || inBraces) {
            // Inside a tag or braces, only the four markers change anything.
            p = textscan::copyUntil(p, end, out, insideStops, isInsideStop);
            if (p == end)
                break;
        } else {
#if defined(__SSE2__)
            // Outside, most blocks of eight are words with single blanks
            // between them, which stay as they are.
            if (end - p >= 8) {
                using namespace textscan;
                const Block block = load(p);
                const Block markers = any(insideStops(block), any(equal(block, u'\r'), equal(block, u'\n')));
                if (_mm_movemask_epi8(markers) == 0) {
                    const unsigned blanks = unsigned(_mm_movemask_epi8(equal(block, u' ')));
                    // No two blanks side by side, and none continuing a run.
                    if ((blanks & (blanks >> 2)) == 0 && !(inBlankRun && (blanks & 1))) {
                        store(out, block);
                        out += 8;
                        p += 8;
                        inBlankRun = blanks >> 14;
                        continue;
                    }
                }
            }
#endif
        }

        const char16_t c = *p++;
        switch (c) {
        case u'<':
            if (!inTag && !inBraces)
                verbatim = verbatimElementAt(p, end);
            inTag = true;
            *out++ = c;
            continue;
        case u'{':
            inBraces = true;
            *out++ = c;
            continue;
        case u'>': {
            const bool closes = inTag;
            inTag = false;
            if (closes || inBraces) {
                *out++ = c;
                if (closes && !inBraces && !verbatim.isEmpty()) {
                    // The element's content goes over as it is, up to its
                    // end tag, which is read as any other tag.
                    const char16_t *contentEnd = endTagOf(verbatim, p, end);
                    if (contentEnd > p) {
                        const char16_t last = contentEnd[-1];
                        inBlankRun = last == u' ' || last == u'\r' || last == u'\n';
                    }
                    while (p < contentEnd)
                        *out++ = *p++;
                }
                verbatim = {};
                continue;
            }
            break;
        }
        case u'}': {
            const bool closes = inBraces;
            inBraces = false;
            if (closes || inTag) {
                *out++ = c;
                continue;
            }
            break;
        }
        default:
            break;
        }

        if (c == u' ' || c == u'\r' || c == u'\n') {
            if (!inBlankRun) {
                inBlankRun = true;
                if (c == u' ')
                    *out++ = c;
            } else if (c == u'\n') {
                *out++ = u' ';
            }
        } else {
            // An ordinary character, or a ">" or "}" that closes nothing.
            inBlankRun = false;
            *out++ = c;
        }
    }
    result.truncate(out - outBegin);
    // Give back a large unused reserve rather than keep it for as long as
    // the text lives (in the page and its undo history).
    if (n - result.size() > result.size() / 8 + 1024)
        result.squeeze();
    ticker.finish();
    return result;
}
