#pragma once

#include <QString>

// Every question and message the program puts to the user. The window
// implementation shows message boxes titled "Tessaline"; tests script the
// answers.
class Prompts
{
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;
    virtual bool askYesNo(const QString &text) = 0;
    virtual Answer askYesNoCancel(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    virtual void warning(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
};
