#pragma once

#include <QString>

#include <algorithm>
#include <cstring>

// Builds a long text from pieces with a doubling buffer: appending costs a
// copy of the piece and nothing more, whatever the text's final length.
class TextBuilder
{
public:
    explicit TextBuilder(qsizetype expected)
        : m_text(std::max<qsizetype>(expected, 16), Qt::Uninitialized)
        , m_data(reinterpret_cast<char16_t *>(m_text.data()))
    {}

    void append(const char16_t *piece, qsizetype length)
    {
        // An empty piece may come without storage (a null string).
        if (length <= 0)
            return;
        if (m_size + length > m_text.size())
            grow(length);
        std::memcpy(m_data + m_size, piece, size_t(length) * sizeof(char16_t));
        m_size += length;
    }

    void append(char16_t c)
    {
        if (m_size == m_text.size())
            grow(1);
        m_data[m_size++] = c;
    }

    qsizetype size() const { return m_size; }

    // The text built so far; the builder is empty afterwards.
    QString take()
    {
        m_text.truncate(m_size);
        // Give back a large unused reserve rather than keep it for as long
        // as the text lives (in the page and its undo history).
        if (m_text.capacity() - m_size > m_size / 8 + 1024)
            m_text.squeeze();
        QString result = std::move(m_text);
        m_text = QString();
        m_data = nullptr;
        m_size = 0;
        return result;
    }

private:
    void grow(qsizetype length)
    {
        m_text.resize(std::max(m_text.size() * 2, m_size + length));
        m_data = reinterpret_cast<char16_t *>(m_text.data());
    }

    QString m_text;
    char16_t *m_data;
    qsizetype m_size = 0;
};
