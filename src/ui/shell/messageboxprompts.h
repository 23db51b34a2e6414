#pragma once

#include "core/shell/prompts.h"

class QWidget;

// Prompts shown as modal message boxes titled with message 5000.
class MessageBoxPrompts : public Prompts
{
public:
    explicit MessageBoxPrompts(QWidget *parent = nullptr);

    bool askYesNo(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    void information(const QString &text) override;
    void warning(const QString &text) override;
    void error(const QString &text) override;

private:
    QWidget *m_parent;
};
