#include "core/spelling/speller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include <hunspell/hunspell.hxx>

#include <algorithm>

namespace {

// Longer "words" are glued text, not words; Hunspell would only slow down.
constexpr qsizetype MaxWordLength = 100;

} // namespace

std::unique_ptr<Speller> Speller::open(const QString &affixFile, const QString &dictionaryFile)
{
    if (!QFileInfo(affixFile).isReadable() || !QFileInfo(dictionaryFile).isReadable())
        return nullptr;
    std::unique_ptr<Speller> speller(new Speller);
    speller->m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(affixFile).constData(),
                                                     QFile::encodeName(dictionaryFile).constData());
    // Hunspell reports unreadable or empty files only by knowing no word.
    const QString encoding = QString::fromStdString(speller->m_hunspell->get_dict_encoding()).toUpper();
    speller->m_latin1 = encoding == u"ISO8859-1" || encoding == u"ISO-8859-1";
    return speller;
}

Speller::~Speller() = default;

QByteArray Speller::encode(const QString &word) const
{
    return m_latin1 ? word.toLatin1() : word.toUtf8();
}

QString Speller::decode(const std::string &word) const
{
    return m_latin1 ? QString::fromLatin1(word.data(), qsizetype(word.size()))
                    : QString::fromUtf8(word.data(), qsizetype(word.size()));
}

bool Speller::isCorrect(const QString &word)
{
    if (word.isEmpty() || word.size() > MaxWordLength)
        return true;
    QMutexLocker lock(&m_mutex);
    const auto known = m_known.constFind(word);
    if (known != m_known.cend())
        return *known;
    const QByteArray bytes = encode(word);
    const bool correct = m_hunspell->spell(std::string(bytes.constData(), size_t(bytes.size())));
    m_known.insert(word, correct);
    return correct;
}

QStringList Speller::suggestions(const QString &word, int max)
{
    if (word.isEmpty() || word.size() > MaxWordLength)
        return {};
    QMutexLocker lock(&m_mutex);
    const QByteArray bytes = encode(word);
    QStringList result;
    for (const std::string &s : m_hunspell->suggest(std::string(bytes.constData(), size_t(bytes.size())))) {
        if (result.size() >= max)
            break;
        result.append(decode(s));
    }
    return result;
}

void Speller::accept(const QString &word)
{
    QMutexLocker lock(&m_mutex);
    const QByteArray bytes = encode(word);
    m_hunspell->add(std::string(bytes.constData(), size_t(bytes.size())));
    // Other forms of the word may have been answered before.
    m_known.clear();
}

PersonalWords::PersonalWords(QString file)
    : m_file(std::move(file))
{
    QFile in(m_file);
    if (m_file.isEmpty() || !in.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n');
    for (const QString &line : lines) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && word.size() <= MaxWordLength && !m_words.contains(word))
            m_words.append(word);
    }
}

bool PersonalWords::add(const QString &word, QString *error)
{
    if (m_words.contains(word))
        return true;
    QStringList words = m_words;
    words.append(word);
    words.sort();
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSaveFile out(m_file);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(words.join(u'\n').toUtf8().append('\n'));
        if (out.commit()) {
            m_words = words;
            return true;
        }
    }
    if (error)
        *error = out.errorString();
    return false;
}

QStringList installedDictionaries(const QString &folder)
{
    QStringList result;
    const QDir dir(folder);
    for (const QFileInfo &dic :
         dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable, QDir::Name)) {
        if (QFileInfo::exists(dir.filePath(dic.completeBaseName() + QStringLiteral(".aff"))))
            result.append(dic.completeBaseName());
    }
    return result;
}

QString dictionaryFor(const QString &language, const QStringList &installed)
{
    const auto find = [&installed](const QString &tag) -> QString {
        QString wanted = tag.trimmed();
        wanted.replace(u'-', u'_');
        if (wanted.isEmpty())
            return {};
        for (const QString &name : installed) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                return name;
        }
        const QString primary = wanted.section(u'_', 0, 0).toLower();
        // The language's own country first: "fr_FR", "de_DE".
        for (const QString &candidate : {primary + u'_' + primary.toUpper(), primary}) {
            for (const QString &name : installed) {
                if (name.compare(candidate, Qt::CaseInsensitive) == 0)
                    return name;
            }
        }
        for (const QString &name : installed) {
            if (name.section(u'_', 0, 0).compare(primary, Qt::CaseInsensitive) == 0)
                return name;
        }
        return {};
    };
    const QString own = find(language);
    return own.isEmpty() ? find(QStringLiteral("fr")) : own;
}

SpellingService::SpellingService(QString dictionaryFolder, QString personalFile)
    : m_folder(std::move(dictionaryFolder))
    , m_installed(installedDictionaries(m_folder))
    , m_personal(std::move(personalFile))
{}

SpellingService::~SpellingService() = default;

QString SpellingService::systemDictionaryFolder()
{
    return QStringLiteral("/usr/share/hunspell");
}

Speller *SpellingService::speller(const QString &dictionary)
{
    if (!m_installed.contains(dictionary))
        return nullptr;
    {
        QMutexLocker lock(&m_mutex);
        const auto it = m_spellers.find(dictionary);
        if (it != m_spellers.end())
            return it->second.get();
    }
    // Reading a dictionary takes a moment: other callers go on meanwhile.
    const QDir dir(m_folder);
    std::unique_ptr<Speller> opened = Speller::open(dir.filePath(dictionary + QStringLiteral(".aff")),
                                                    dir.filePath(dictionary + QStringLiteral(".dic")));
    QMutexLocker lock(&m_mutex);
    const auto it = m_spellers.find(dictionary);
    if (it != m_spellers.end())
        return it->second.get();
    if (!opened)
        return nullptr;
    for (const QString &word : m_personal.words())
        opened->accept(word);
    for (const QString &word : std::as_const(m_ignored))
        opened->accept(word);
    return m_spellers.emplace(dictionary, std::move(opened)).first->second.get();
}

void SpellingService::ignore(const QString &word)
{
    QMutexLocker lock(&m_mutex);
    m_ignored.insert(word);
    for (auto &[name, speller] : m_spellers)
        speller->accept(word);
    ++m_generation;
}

bool SpellingService::addToPersonal(const QString &word, QString *error)
{
    QMutexLocker lock(&m_mutex);
    if (!m_personal.add(word, error))
        return false;
    for (auto &[name, speller] : m_spellers)
        speller->accept(word);
    ++m_generation;
    return true;
}

QStringList SpellingService::personalWords() const
{
    QMutexLocker lock(&m_mutex);
    return m_personal.words();
}

quint64 SpellingService::acceptedGeneration() const
{
    return m_generation.load();
}
