#pragma once

#include <QString>

// A start text and the end text that closes it (empty for a single tag):
// what a generator hands to the insertion engine.
struct TagPair
{
    QString start;
    QString end;

    bool isEmpty() const { return start.isEmpty() && end.isEmpty(); }
};
