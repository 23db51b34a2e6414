#pragma once

#include "core/text/documenttext.h"

#include <vector>

// A page held in a plain string with CR LF line breaks: the text of core
// tests and of commands that run without a window.
class MemoryText : public DocumentText
{
public:
    MemoryText() = default;
    explicit MemoryText(const QString &text);

    QString text() const override { return m_text; }
    void setText(const QString &text) override;
    int length() const override { return int(m_text.size()); }

    int lineCount() const override;
    QString line(int index) const override;
    void setLine(int index, const QString &text) override;
    int lineFromPosition(int position) const override;
    int lineStart(int index) const override;
    int lineLength(int index) const override;
    int firstVisibleLine() const override { return m_firstVisibleLine; }
    void setFirstVisibleLine(int line) { m_firstVisibleLine = line; }

    int selectionStart() const override { return m_selStart; }
    int selectionLength() const override { return m_selLength; }
    void setSelectionStart(int position) override;
    void setSelectionLength(int length) override;
    QString selectedText() const override;
    bool replaceSelection(const QString &text) override;

    bool isModified() const override { return m_modified; }
    void setModified(bool modified) override { m_modified = modified; }

private:
    int clampPosition(int position) const;
    const std::vector<int> &starts() const;

    QString m_text;
    int m_selStart = 0;
    int m_selLength = 0;
    int m_firstVisibleLine = 0;
    bool m_modified = false;
    // Start of every line, rebuilt lazily after a change.
    mutable std::vector<int> m_starts;
    mutable bool m_startsValid = false;
};
