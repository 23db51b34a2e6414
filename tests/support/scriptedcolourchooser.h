#pragma once

#include "core/tagcommands/tagcommandrun.h"

#include <QList>

#include <deque>

// A colour chooser for tests: records the colour it starts with and answers
// from a queue (cancel when the queue is empty).
class ScriptedColourChooser : public ColourChooser
{
public:
    std::deque<quint32> answers;
    QList<quint32> shown;

    bool chooseColour(quint32 initial, quint32 &chosen) override
    {
        shown << initial;
        if (answers.empty())
            return false;
        chosen = answers.front();
        answers.pop_front();
        return true;
    }
};
