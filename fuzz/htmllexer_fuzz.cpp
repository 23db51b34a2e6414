// The colouring lexer reads every line of every page, from any state the
// previous line left: tokens must stay inside the line, in order, whatever
// the text.
#include "core/highlight/htmllexer.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    int state = htmllex::StartState;
    std::vector<htmllex::Token> tokens;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        tokens.clear();
        state = htmllex::lexLine(line, state, &tokens);
        int end = 0;
        for (const htmllex::Token &token : tokens) {
            if (token.start < end || token.length <= 0 || token.start + token.length > line.size())
                std::abort();
            end = token.start + token.length;
        }
    }
    return 0;
}
