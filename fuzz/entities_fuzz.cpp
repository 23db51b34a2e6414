// Characters to entities and back, each against a plain model written from
// the conversions' rules, and the round trip of a text without "&".
#include "fuzzinput.h"
#include "progresscheck.h"

#include "core/wholetext/entities.h"

namespace {

QString entityOf(QChar c)
{
    for (const EntityPair &pair : entityTable())
        if (pair.character == c.unicode())
            return QString::fromUtf16(pair.entity.data(), qsizetype(pair.entity.size()));
    return QString();
}

// Every character of the table replaced, comments ("<!--" through the first
// "-->" after it, or to the end) copied as they are.
TextConversion modelToEntities(const QString &text)
{
    TextConversion out;
    for (qsizetype i = 0; i < text.size();) {
        if (text.mid(i, 4) == u"<!--") {
            const qsizetype close = text.indexOf(u"-->", i + 4);
            const qsizetype end = close < 0 ? text.size() : close + 3;
            out.text += text.mid(i, end - i);
            i = end;
            continue;
        }
        const QString entity = entityOf(text.at(i));
        out.text += entity.isEmpty() ? QString(text.at(i)) : entity;
        out.count += !entity.isEmpty();
        ++i;
    }
    return out;
}

// The first occurrence of each entity replaced, pair after pair, until none
// is left.
TextConversion modelToCharacters(QString text)
{
    TextConversion out;
    for (const EntityPair &pair : entityTable()) {
        const QString entity = QString::fromUtf16(pair.entity.data(), qsizetype(pair.entity.size()));
        for (qsizetype at; (at = text.indexOf(entity)) >= 0; ++out.count)
            text.replace(at, entity.size(), QChar(pair.character));
    }
    out.text = text;
    return out;
}

void check(const TextConversion &got, const TextConversion &expected)
{
    FUZZ_CHECK(got.text == expected.text);
    FUZZ_CHECK(got.count == expected.count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);

    ProgressCheck forward;
    const TextConversion entities = charactersToEntities(text, &forward);
    forward.expectFinished();
    check(entities, modelToEntities(text));

    ProgressCheck back;
    const TextConversion characters = entitiesToCharacters(text, &back);
    back.expectFinished();
    check(characters, modelToCharacters(text));

    if (!text.contains(u'&')) {
        const TextConversion roundTrip = entitiesToCharacters(entities.text);
        FUZZ_CHECK(roundTrip.text == text);
        FUZZ_CHECK(roundTrip.count == entities.count);
    }
    return 0;
}
