// Compaction against a plain model that walks the text one character at a
// time, as the rules of the pass say, without the pass's eight-character
// shortcuts; the content of PRE, TEXTAREA, SCRIPT and STYLE is kept.
#include "fuzzinput.h"
#include "progresscheck.h"

#include "core/wholetext/compaction.h"

namespace {

bool isNameChar(QChar c)
{
    return (c.unicode() < 0x80 && c.isLetterOrNumber()) || c == u'-' || c == u':' || c == u'_';
}

// The name (any case) at i, followed by the end of the text or a character
// that cannot continue a name.
bool nameAt(const QString &text, qsizetype i, const QString &name)
{
    const qsizetype after = i + name.size();
    return after <= text.size() && QStringView(text).sliced(i, name.size()).compare(name, Qt::CaseInsensitive) == 0
           && (after == text.size() || !isNameChar(text.at(after)));
}

QString model(const QString &text)
{
    static const QString Verbatim[] = {u"pre"_qs, u"textarea"_qs, u"script"_qs, u"style"_qs};
    QString out;
    QString verbatim; // the element whose start tag is being read, if its content is kept
    bool inTag = false, inBraces = false, inRun = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'<' || c == u'{') {
            if (c == u'<' && !inTag && !inBraces) {
                verbatim.clear();
                for (const QString &name : Verbatim) {
                    if (nameAt(text, i + 1, name))
                        verbatim = name;
                }
            }
            (c == u'<' ? inTag : inBraces) = true;
            out += c;
            continue;
        }
        // The content of a kept element goes over as written, up to its end
        // tag (or the end of the text).
        if (c == u'>' && inTag && !inBraces && !verbatim.isEmpty()) {
            inTag = false;
            out += c;
            qsizetype end = i + 1;
            while (end < text.size()
                   && !(text.at(end) == u'<' && end + 1 < text.size() && text.at(end + 1) == u'/'
                        && nameAt(text, end + 2, verbatim)))
                ++end;
            if (end > i + 1) {
                const QChar last = text.at(end - 1);
                inRun = last == u' ' || last == u'\r' || last == u'\n';
            }
            out += text.mid(i + 1, end - i - 1);
            i = end - 1;
            verbatim.clear();
            continue;
        }
        // A ">" or "}" that closes something, and everything inside a tag
        // or braces, is copied and leaves a blank run going.
        if (c == u'>' || c == u'}') {
            bool &open = c == u'>' ? inTag : inBraces;
            const bool inside = inTag || inBraces;
            open = false;
            if (inside) {
                if (c == u'>')
                    verbatim.clear();
                out += c;
                continue;
            }
        } else if (inTag || inBraces) {
            out += c;
            continue;
        }
        if (c == u' ' || c == u'\r' || c == u'\n') {
            // A run keeps its first blank and one blank per later LF.
            if (!inRun && c == u' ')
                out += c;
            else if (inRun && c == u'\n')
                out += u' ';
            inRun = true;
        } else {
            inRun = false;
            out += c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    ProgressCheck progress;
    const QString compacted = compactTags(text, &progress);
    progress.expectFinished();
    FUZZ_CHECK(compacted.size() <= text.size());
    FUZZ_CHECK(compacted == model(text));
    return 0;
}
