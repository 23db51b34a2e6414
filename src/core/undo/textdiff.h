#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// What a whole-text command changed, as the places where the text before and
// the text after differ: enough to make either text from the other, and far
// smaller than the two texts when the command changed parts of a page.
class TextDiff
{
public:
    // The places where two texts differ, found line by line where the texts
    // have the same lines around the changes (each changed line gives one
    // place, without the characters its two forms share at their ends), else
    // as one block from the first difference to the last.
    static TextDiff between(QStringView before, QStringView after);

    // The text after, made from the text before, and back.
    QString apply(QStringView before) const;
    QString revert(QStringView after) const;

    bool isEmpty() const { return m_places.empty(); }
    // The memory the difference holds, in bytes.
    qsizetype size() const;

private:
    // The removed characters at `at` in the text before became inserted
    // ones; places are in text order and do not overlap.
    void add(qsizetype at, QStringView removed, QStringView inserted);
    // The same for a changed part, less the characters its two forms share
    // at their start and end.
    void addChanged(qsizetype at, QStringView before, QStringView after);
    // The text after from the text before (forward), or back.
    QString rebuild(QStringView from, bool forward) const;

    struct Place
    {
        int at;
        int removed;
        int inserted;
    };
    std::vector<Place> m_places;
    QString m_removed;
    QString m_inserted;
};
