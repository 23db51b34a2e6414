#pragma once

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <map>
#include <memory>

class Hunspell;

// One Hunspell dictionary. Safe on any thread: calls take turns, each one
// holding the dictionary for one word only, so a check on a worker never
// keeps the interface waiting long. Answers are remembered, as pages repeat
// their words.
class Speller
{
public:
    // The dictionary of the two files, or null when they cannot be read.
    static std::unique_ptr<Speller> open(const QString &affixFile, const QString &dictionaryFile);
    ~Speller();

    bool isCorrect(const QString &word);
    // The dictionary's best replacements, at most max of them.
    QStringList suggestions(const QString &word, int max);
    // Accepts word from now on (and its capitalised forms).
    void accept(const QString &word);

private:
    Speller() = default;
    QByteArray encode(const QString &word) const;
    QString decode(const std::string &word) const;

    QMutex m_mutex;
    std::unique_ptr<Hunspell> m_hunspell;
    bool m_latin1 = false;
    QHash<QString, bool> m_known;
};

// The words the user added ("Ajouter au dictionnaire"), one a line in a UTF-8
// file of their own.
class PersonalWords
{
public:
    // Reads the list; a missing file is an empty list.
    explicit PersonalWords(QString file);

    const QStringList &words() const { return m_words; }
    // Adds word and writes the list (replacing the file in one step). On
    // failure the word is not kept and error says why.
    bool add(const QString &word, QString *error);

private:
    QString m_file;
    QStringList m_words;
};

// The dictionaries installed in a folder (".dic" and ".aff" files of one
// name, such as "fr_FR"), sorted by name.
QStringList installedDictionaries(const QString &folder);

// The dictionary for a page's language ("fr", "en-US", "de-ch"): the same
// region, else the language's main one ("de_DE", "fr_FR"), its plain one
// ("fr"), or any of its regions; French when the page's language has none;
// empty when no French one is installed either.
QString dictionaryFor(const QString &language, const QStringList &installed);

// What the spelling check of every page shares: the dictionaries (each
// opened once, when a page first needs it), the personal list and the words
// ignored until the program ends. Safe on any thread.
class SpellingService
{
public:
    SpellingService(QString dictionaryFolder, QString personalFile);
    ~SpellingService();

    static QString systemDictionaryFolder();

    const QStringList &installed() const { return m_installed; }
    bool isAvailable() const { return !::dictionaryFor(QString(), m_installed).isEmpty(); }
    QString dictionaryFor(const QString &language) const { return ::dictionaryFor(language, m_installed); }

    // Opens the named dictionary the first time (this takes a moment: call
    // it off the interface thread); null when it cannot be read.
    Speller *speller(const QString &dictionary);

    // "Ignorer": the word is accepted by every dictionary until the end.
    void ignore(const QString &word);
    // "Ajouter au dictionnaire": accepted from now on and kept in the list.
    bool addToPersonal(const QString &word, QString *error);
    QStringList personalWords() const;

    // Grows each time a word is ignored or added: marks older than that may
    // be wrong.
    quint64 acceptedGeneration() const;

private:
    QString m_folder;
    QStringList m_installed;
    mutable QMutex m_mutex;
    PersonalWords m_personal;
    QSet<QString> m_ignored;
    std::map<QString, std::unique_ptr<Speller>> m_spellers;
    // Read without the lock: the interface asks for it with every job.
    std::atomic<quint64> m_generation = 0;
};
