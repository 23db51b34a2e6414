#include "tags/compaction.h"

#include "tags/passprogress.h"

QString compactTags(QStringView text, PassProgress *progress)
{
    const qsizetype n = text.size();
    const char16_t *const in = text.utf16();
    QString result(n, Qt::Uninitialized);
    char16_t *const outBegin = reinterpret_cast<char16_t *>(result.data());
    char16_t *out = outBegin;
    ProgressTicker ticker(n, progress);

    bool inTag = false;
    bool inBraces = false;
    bool inBlankRun = false;

    qsizetype i = 0;
    while (i < n) {
        ticker.at(i);
        // Inside a tag or braces, only the four markers change anything.
        if (inTag || inBraces) {
            qsizetype j = i;
            while (j < n) {
                const char16_t c = in[j];
                if (c == u'<' || c == u'>' || c == u'{' || c == u'}')
                    break;
                ++j;
            }
            std::copy(in + i, in + j, out);
            out += j - i;
            i = j;
            if (i == n)
                break;
        } else {
            // Outside: copy the run of ordinary characters.
            qsizetype j = i;
            while (j < n) {
                const char16_t c = in[j];
                if (c == u' ' || c == u'\r' || c == u'\n' || c == u'<' || c == u'>' || c == u'{' || c == u'}')
                    break;
                ++j;
            }
            if (j > i) {
                std::copy(in + i, in + j, out);
                out += j - i;
                inBlankRun = false;
                i = j;
                if (i == n)
                    break;
            }
        }

        const char16_t c = in[i++];
        switch (c) {
        case u'<':
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

        if (inTag || inBraces) {
            *out++ = c;
        } else if (c == u' ' || c == u'\r' || c == u'\n') {
            if (!inBlankRun) {
                inBlankRun = true;
                if (c == u' ')
                    *out++ = c;
            } else if (c == u'\n') {
                *out++ = u' ';
            }
        } else {
            // A ">" or "}" that closes nothing.
            inBlankRun = false;
            *out++ = c;
        }
    }
    result.truncate(out - outBegin);
    ticker.finish();
    return result;
}
