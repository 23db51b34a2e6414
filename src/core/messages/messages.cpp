#include "core/messages/messages.h"

#include <QFile>
#include <QHash>

static void initCoreResources()
{
    Q_INIT_RESOURCE(core);
}

namespace {

// Catalogue lines are "number<TAB>text"; in the text, \n, \t and \\ stand
// for a line break, a tab and a backslash.
QString unescape(const QString &text)
{
    if (!text.contains(u'\\'))
        return text;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text.at(++i);
            result += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next;
        } else {
            result += c;
        }
    }
    return result;
}

QHash<int, QString> loadCatalogue()
{
    initCoreResources();
    QHash<int, QString> catalogue;
    QFile file(QStringLiteral(":/messages.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    const QString all = QString::fromUtf8(file.readAll());
    for (const QStringView line : QStringView(all).split(u'\n')) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int number = line.left(tab).toInt(&ok);
        if (ok)
            catalogue.insert(number, unescape(line.mid(tab + 1).toString()));
    }
    return catalogue;
}

} // namespace

QString msg(int n)
{
    static const QHash<int, QString> catalogue = loadCatalogue();
    return catalogue.value(n);
}
