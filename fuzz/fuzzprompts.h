#pragma once

#include "core/shell/prompts.h"

// Prompts that answer every question with Yes and show nothing, so that a
// target walks the longest road through a command.
class YesPrompts : public Prompts
{
public:
    bool askYesNo(const QString &) override { return true; }
    Answer askYesNoCancel(const QString &) override { return Answer::Yes; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}
};
