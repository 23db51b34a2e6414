#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

// A decoded picture as plain pixels: 0xFFRRGGBB per pixel, row after row.
struct DecodedPixels
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The header facts of a PCX file, read without decoding it.
struct PcxHeader
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int planes = 0;
    int bytesPerLine = 0;
};

// Reads the 128-byte header; false (with error set) when it is not a PCX
// header this decoder can handle: 1 bit in 1 or 4 planes, 4 bits in 1 plane,
// 8 bits in 1 plane (with the 256-colour palette at the end) or 8 bits in 3
// planes (24-bit colour), run-length encoded, at most MaxPictureSide pixels
// a side.
bool ReadPcxHeader(QByteArrayView bytes, PcxHeader &header, QString *error = nullptr);

// Decodes a whole PCX file. Every read is bounds-checked; a file whose data
// ends early, or that declares more pixels than its data can hold, fails
// before anything large is allocated.
bool DecodePcx(QByteArrayView bytes, DecodedPixels &out, QString *error = nullptr);
