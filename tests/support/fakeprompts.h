#pragma once

#include "core/shell/prompts.h"

#include <QStringList>

#include <deque>

// Prompts for tests: records every text shown and answers questions from a
// prepared queue (Cancel, or No for yes/no questions, when it runs dry).
class FakePrompts : public Prompts
{
public:
    std::deque<Answer> answers;
    QStringList asked;
    QStringList shown;

    bool askYesNo(const QString &text) override
    {
        asked << text;
        return next(Answer::No) == Answer::Yes;
    }
    Answer askYesNoCancel(const QString &text) override
    {
        asked << text;
        return next(Answer::Cancel);
    }
    void information(const QString &text) override { shown << QStringLiteral("information:") + text; }
    void warning(const QString &text) override { shown << QStringLiteral("warning:") + text; }
    void error(const QString &text) override { shown << QStringLiteral("error:") + text; }

private:
    Answer next(Answer fallback)
    {
        if (answers.empty())
            return fallback;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};
