// The HTML check on any page: libtidy's report read back into page places.
#include "fuzzinput.h"

#include "core/checking/htmlcheck.h"
#include "core/text/linestore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LineStore page(fuzzText(data, size));
    const HtmlCheck check = checkHtml(page, 200);
    FUZZ_CHECK(check.problems.size() <= 200);
    FUZZ_CHECK(check.errors <= check.problems.size() + check.omitted);
    for (const HtmlProblem &problem : check.problems) {
        FUZZ_CHECK(problem.line >= 0 && problem.line < page.lineCount());
        FUZZ_CHECK(problem.column >= 0 && problem.column <= page.lineLength(problem.line));
        // Never inside a surrogate pair.
        FUZZ_CHECK(problem.column == 0 || problem.column == page.lineLength(problem.line)
                   || !page.line(problem.line).at(problem.column).isLowSurrogate()
                   || !page.line(problem.line).at(problem.column - 1).isHighSurrogate());
    }
    return 0;
}
