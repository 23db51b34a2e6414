#pragma once

#include "core/wholetext/bytepasses.h"

#include <algorithm>
#include <cstring>
#include <vector>

// The pass's output, gathered in a piece of fixed size that goes to the sink
// each time it is full: the new file is never held whole.
class ByteOutput
{
public:
    struct Stopped
    {
    };

    ByteOutput(ByteSink &sink, qsizetype pieceSize)
        : m_sink(sink)
        , m_piece(std::max<qsizetype>(pieceSize, 1))
        , m_out(m_piece.data())
        , m_end(m_out + m_piece.size())
    {}
    void put(char c)
    {
        if (m_out == m_end)
            flush();
        *m_out++ = c;
    }
    void put(const char *p, qsizetype n)
    {
        for (qsizetype room = m_end - m_out; n > room; room = m_end - m_out) {
            std::memcpy(m_out, p, size_t(room));
            m_out += room;
            p += room;
            n -= room;
            flush();
        }
        // An empty piece may come without storage.
        if (n > 0) {
            std::memcpy(m_out, p, size_t(n));
            m_out += n;
        }
    }
    void put(const unsigned char *p, const unsigned char *end) { put(reinterpret_cast<const char *>(p), end - p); }
    // The bytes from p to end, out of a text that goes on at least up to
    // textEnd: a short run moves as one 16-byte block, without a call.
    void put(const unsigned char *p, const unsigned char *end, const unsigned char *textEnd)
    {
        if (end - p <= 16 && textEnd - p >= 16 && m_end - m_out >= 16) {
            std::memcpy(m_out, p, 16);
            m_out += end - p;
            return;
        }
        put(p, end);
    }
    // n bytes of an eight-byte buffer, moved as a whole when there is room.
    void putPadded(const char (&padded)[8], qsizetype n)
    {
        if (m_end - m_out < 8)
            return put(padded, n);
        std::memcpy(m_out, padded, 8);
        m_out += n;
    }
    // Hands over what is left; throws Stopped when the sink refuses a piece.
    void flush()
    {
        const qsizetype n = m_out - m_piece.data();
        m_out = m_piece.data();
        m_flushed += n;
        if (n > 0 && !m_sink.take(QByteArrayView(m_piece.data(), n)))
            throw Stopped();
    }
    qsizetype written() const { return m_flushed + (m_out - m_piece.data()); }

private:
    ByteSink &m_sink;
    std::vector<char> m_piece;
    char *m_out;
    char *m_end;
    qsizetype m_flushed = 0;
};
