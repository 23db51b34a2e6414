#include "core/formatting/tagreference.h"

#include "core/text/textcodec.h"

#include <QFile>

namespace {

// A reference file is a few dozen kilobytes; anything far larger is not one.
constexpr qsizetype MaxFileSize = 4 * 1024 * 1024;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString fileMessage(const QString &fileName, const QString &text)
{
    return u'[' + fileName + u']' + text;
}

bool looksLikeText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n' && c != u'\f')
            return false;
    }
    return true;
}

} // namespace

TagReference parseTagReference(const QByteArray &bytes, const QString &fileName)
{
    TagReference reference;
    if (bytes.size() > MaxFileSize) {
        reference.error = fileMessage(fileName, QStringLiteral(" Ce fichier est trop volumineux pour être une "
                                                               "référence des commandes HTML."));
        return reference;
    }
    QString text;
    detectAndDecode(bytes, text);
    if (!looksLikeText(text)) {
        reference.error = fileMessage(fileName, QStringLiteral(" Ce fichier est endommagé: ce n'est pas un "
                                                               "fichier texte. La liste des commandes HTML reste "
                                                               "vide."));
        return reference;
    }

    // The description's lines flow into paragraphs; a line holding only
    // blanks ends a paragraph.
    QStringList paragraphs;
    QString paragraph;
    const auto endParagraph = [&] {
        if (!paragraph.isEmpty())
            paragraphs << paragraph;
        paragraph.clear();
    };
    const auto finishEntry = [&] {
        endParagraph();
        if (!reference.entries.isEmpty())
            reference.entries.last().description = paragraphs.join(u'\n');
        paragraphs.clear();
    };
    // Lines end with CR LF, LF or a lone CR.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    for (const QString &line : text.split(u'\n')) {
        if (line.isEmpty() || isBlank(line.at(0))) {
            const QString words = line.simplified();
            if (words.isEmpty())
                endParagraph();
            else if (!reference.entries.isEmpty())
                paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + words;
            continue;
        }
        finishEntry();
        reference.entries.append({line.trimmed(), QString()});
    }
    finishEntry();

    if (reference.entries.isEmpty())
        reference.error = fileMessage(fileName, QStringLiteral(" Ce fichier ne contient aucune commande HTML."));
    return reference;
}

TagReference loadTagReference(const QString &path)
{
    const QString fileName = QString::fromUtf16(TagReferenceFileName);
    QFile file(path);
    if (!file.exists()) {
        return {{},
                fileMessage(fileName, QStringLiteral(" Le fichier de référence des commandes HTML est introuvable "
                                                     "dans le répertoire du programme."))};
    }
    if (file.size() > MaxFileSize)
        return parseTagReference(QByteArray(MaxFileSize + 1, ' '), fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, fileMessage(fileName, QStringLiteral(" Ce fichier ne peut pas être lu."))};
    return parseTagReference(file.readAll(), fileName);
}

TagReferenceInsertion tagReferenceInsertion(const QString &tag)
{
    if (tag.startsWith(QStringLiteral("<!--")))
        return {{QStringLiteral("<!-- "), QStringLiteral(" -->")}, ukWrap};
    const qsizetype second = tag.indexOf(u'<', 1);
    if (second < 0)
        return {{tag, QString()}, ukInsert};
    return {{tag.left(second), tag.mid(second)}, ukWrap};
}

int firstEntryForLetter(const QList<TagReferenceEntry> &entries, QChar letter)
{
    for (int i = 0; i < entries.size(); ++i) {
        const QString &tag = entries.at(i).tag;
        if (tag.size() > 1 && tag.at(1).toUpper() == letter.toUpper())
            return i;
    }
    return -1;
}
