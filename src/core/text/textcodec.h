#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How a page is stored on disk.
enum class FileEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };
enum class LineEnd { CrLf, Lf, Cr };

// Windows-1252 both ways. The five bytes the code page leaves undefined map
// to the C1 control characters of the same value, so every byte survives a
// round trip.
QString decodeWindows1252(const QByteArray &bytes);
// Returns false when a character has no Windows-1252 byte; out is then
// incomplete.
bool encodeWindows1252(const QString &text, QByteArray &out);
bool fitsWindows1252(const QString &text);

// Detects the encoding of a file's bytes: a byte-order mark, else valid
// UTF-8, else Windows-1252. Sets text to the decoded characters (without the
// mark).
FileEncoding detectAndDecode(const QByteArray &bytes, QString &text);
// Encodes text (with the line ends it should have on disk) in the given
// encoding, mark included. Returns false when a character cannot be held.
bool encodeText(const QString &text, FileEncoding encoding, QByteArray &out);

// The bytes, read again, give back exactly text in the same encoding or as
// the very same characters. Only Windows-1252 bytes can be taken for
// another encoding: a mark at their start that now holds (an odd-length
// page made even by its line ends), or bytes that all form UTF-8.
bool readsBackAs(const QByteArray &bytes, FileEncoding encoding, const QString &text);

// The same question for new bytes of a Windows-1252 page that are written
// piece by piece, without holding them whole: would the next open take them
// for UTF-8 or UTF-16? It errs on the safe side for a page that starts with
// a UTF-16 mark and has an even length: taken for UTF-16 even where the
// rest would not hold as UTF-16.
class Windows1252ReadBack
{
public:
    void add(QByteArrayView piece);
    bool readsAsOtherEncoding() const;

private:
    QByteArray m_head;  // the first three bytes
    QByteArray m_carry; // a UTF-8 sequence cut at the end of a piece
    qint64 m_size = 0;
    bool m_validUtf8 = true;
    bool m_nonAscii = false;
};

// The line-end style of a text: the first line break decides; a text
// without one counts as CR LF.
LineEnd detectLineEnd(const QString &text);
// A CR LF text written with the given line ends.
QString withLineEnd(const QString &crlfText, LineEnd lineEnd);
// The characters of one line end: "\r\n", "\n" or "\r".
QStringView lineBreakOf(LineEnd lineEnd);
