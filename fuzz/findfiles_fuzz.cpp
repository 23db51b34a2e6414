// The readers of find in files: the replacement template of an expression,
// the file name mask, and the splicing of replacements into a page's bytes.
#include "fuzzinput.h"

#include "core/findfiles/filemask.h"
#include "core/findfiles/filesearch.h"
#include "core/findfiles/matcher.h"
#include "core/text/documenttext.h"

namespace {

// Wildcard matching by dynamic programming, the plain model.
bool modelWildcard(QStringView pattern, QStringView name)
{
    std::vector<std::vector<char>> fits(size_t(pattern.size() + 1), std::vector<char>(size_t(name.size() + 1), 0));
    fits[0][0] = 1;
    for (qsizetype p = 1; p <= pattern.size(); ++p) {
        const QChar c = pattern.at(p - 1);
        for (qsizetype n = 0; n <= name.size(); ++n) {
            bool ok = false;
            if (c == u'*')
                ok = fits[p - 1][n] || (n > 0 && fits[p][n - 1]);
            else if (n > 0)
                ok = fits[p - 1][n - 1]
                     && (c == u'?' || c == name.at(n - 1) || c.toCaseFolded() == name.at(n - 1).toCaseFolded());
            fits[p][n] = ok;
        }
    }
    return fits[pattern.size()][name.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString replacement = input.text();
    const QString mask = input.text();
    const QString name = input.text();
    const QString page = input.text().left(4000);

    // The template: no backslash means the text itself; groups beyond the
    // match give nothing.
    const ReplacementTemplate parsed(replacement, u"\r\n");
    const QString expanded = parsed.expand({QStringLiteral("M"), QStringLiteral("G")});
    if (!replacement.contains(u'\\'))
        FUZZ_CHECK(expanded == replacement);
    if (parsed.isLiteral())
        FUZZ_CHECK(parsed.expand({}) == expanded);

    // The mask: patterns hold no separator, and each agrees with the model.
    const FileMask fileMask(mask);
    bool any = fileMask.patterns().isEmpty();
    for (const QString &pattern : fileMask.patterns()) {
        FUZZ_CHECK(!pattern.isEmpty() && !pattern.contains(u';') && !pattern.contains(u','));
        if (pattern.size() <= 64 && name.size() <= 64)
            FUZZ_CHECK(wildcardMatches(pattern, name) == modelWildcard(pattern, name));
        any = any || wildcardMatches(pattern, name);
    }
    FUZZ_CHECK(fileMask.matches(name) == any);

    // Replacing a plain text in UTF-8 bytes changes only the matches.
    if (!name.isEmpty()) {
        const Matcher matcher(name, MatchOptions{true, false, false}, replacement);
        QList<Match> matches;
        QList<QString> replacements;
        forEachMatch(page, 0, matcher, SearchBudget(), [&](const Match &match) {
            matches.append(match);
            replacements.append(matcher.replacementFor(match));
        });
        const QString newText = applyReplacements(page, matches, replacements);
        const QByteArray bytes = page.toUtf8();
        const std::optional<QByteArray> spliced =
            spliceReplacements(bytes, FileEncoding::Utf8, page, matches, replacements, newText);
        if (spliced && page.toUtf8() == bytes && QString::fromUtf8(bytes) == page)
            FUZZ_CHECK(*spliced == newText.toUtf8());
    }
    // An expression finds the same matches with and without skipping
    // lines, as a plain search of each line finds them.
    const Matcher expression(name, MatchOptions{false, false, true});
    if (expression.isValid() && !expression.spansLines()) {
        QList<qsizetype> model, found;
        bool stopped = false;
        forEachLine(page, [&](QStringView line) {
            const qsizetype lineStart = line.data() - page.data();
            Match match;
            for (qsizetype at = 0; !stopped && at <= line.size();) {
                const MatchStatus status = expression.find(line, at, line.size(), match, SearchBudget(200));
                stopped = status == MatchStatus::Stopped;
                if (status != MatchStatus::Found)
                    break;
                model << lineStart + match.start << match.length;
                at = match.start + match.length;
            }
        });
        const MatchStatus status = forEachMatch(page, 0, expression, SearchBudget(1000),
                                                [&](const Match &match) { found << match.start << match.length; });
        if (!stopped && status != MatchStatus::Stopped)
            FUZZ_CHECK(found == model);
    }
    return 0;
}
