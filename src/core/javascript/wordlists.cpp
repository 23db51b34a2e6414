#include "core/javascript/wordlists.h"

#include <QFile>
#include <QHash>

// The word lists live in the core library's own resources.
static void initJavaScriptResources()
{
    Q_INIT_RESOURCE(javascript);
}

namespace {

QString readResource(const QString &name)
{
    initJavaScriptResources();
    QFile file(QStringLiteral(":/javascript/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

const QHash<QString, QString> &descriptions()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> result;
        const QStringList lines = readResource(QStringLiteral("descriptions.tsv")).split(u'\n');
        for (const QString &line : lines) {
            const qsizetype tab = line.indexOf(u'\t');
            if (tab > 0)
                result.insert(line.left(tab), line.mid(tab + 1).trimmed());
        }
        return result;
    }();
    return table;
}

} // namespace

QStringList ParseWordList(const QString &resourceText, bool version11)
{
    QStringList words;
    for (QString line : resourceText.split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'-')) {
            if (!version11)
                continue;
            line = line.mid(1).trimmed();
        }
        if (!line.isEmpty())
            words << line;
    }
    return words;
}

QStringList JavaScriptWords(WordList list, bool version11)
{
    static const char *const names[WordListCount] = {"declarations.txt", "objets.txt", "proprietes.txt", "methodes.txt",
                                                     "evenements.txt"};
    const int index = int(list);
    if (index < 0 || index >= WordListCount)
        return {};
    return ParseWordList(readResource(QString::fromLatin1(names[index])), version11);
}

QString WordDescription(const QString &word)
{
    return descriptions().value(word);
}

int DescribedWordCount()
{
    return int(descriptions().size());
}
