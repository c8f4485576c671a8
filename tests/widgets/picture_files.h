#pragma once

// Picture files made at run time for the loader and image window tests.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>

namespace vistel::test {

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Left half red, right half blue: which way up a decoded picture is shows in it.
inline QImage TwoColourImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, width / 2, height, Qt::red);
    return image;
}

// Colour noise, so that a compressed file has data worth cutting short.
inline QImage NoiseImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            line[x] = qRgb(seed >> 24, (seed >> 16) & 0xFF, (seed >> 8) & 0xFF);
        }
    }
    return image;
}

inline QByteArray Encoded(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

inline void PutLittle16(QByteArray& bytes, int offset, unsigned value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char((value >> 8) & 0xFF);
}

inline void PutLittle32(QByteArray& bytes, int offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

inline void PutBig16(QByteArray& bytes, int offset, unsigned value) {
    bytes[offset] = char((value >> 8) & 0xFF);
    bytes[offset + 1] = char(value & 0xFF);
}

// An icon turned into a cursor: the resource type in the directory header is 2.
inline QByteArray CursorFromIcon(QByteArray icon) {
    PutLittle16(icon, 2, 2);
    return icon;
}

// A JPEG with an EXIF block whose only tag is the orientation, put right after the
// start-of-image marker.
inline QByteArray WithExifOrientation(const QByteArray& jpeg, unsigned orientation) {
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray("MM\0\x2A\0\0\0\x08", 8);  // big-endian TIFF header, IFD at 8
    QByteArray ifd(2 + 12 + 4, '\0');
    PutBig16(ifd, 0, 1);       // one entry
    PutBig16(ifd, 2, 0x0112);  // orientation
    PutBig16(ifd, 4, 3);       // SHORT
    PutBig16(ifd, 8, 1);       // count (low half of a 32-bit field)
    PutBig16(ifd, 10, orientation);
    exif += ifd;
    QByteArray segment("\xFF\xE1\0\0", 4);
    PutBig16(segment, 2, static_cast<unsigned>(exif.size() + 2));
    segment += exif;
    QByteArray result = jpeg;
    result.insert(2, segment);
    return result;
}

// The frame header of a JPEG made to claim another size.
inline QByteArray JpegClaiming(QByteArray jpeg, unsigned width, unsigned height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    PutBig16(jpeg, static_cast<int>(sof + 5), height);
    PutBig16(jpeg, static_cast<int>(sof + 7), width);
    return jpeg;
}

// A BMP file header and info header claiming a 24-bit picture of this size, with no
// pixels after it.
inline QByteArray BmpHeaderClaiming(uint32_t width, uint32_t height) {
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittle32(bytes, 2, 54);
    PutLittle32(bytes, 10, 54);
    PutLittle32(bytes, 14, 40);
    PutLittle32(bytes, 18, width);
    PutLittle32(bytes, 22, height);
    PutLittle16(bytes, 26, 1);
    PutLittle16(bytes, 28, 24);
    return bytes;
}

inline QByteArray GifScreen(unsigned width, unsigned height) {
    QByteArray bytes("GIF89a");
    bytes += QByteArray(7, '\0');
    PutLittle16(bytes, 6, width);
    PutLittle16(bytes, 8, height);
    bytes[10] = char(0xF0);                              // global colour table of two entries
    bytes += QByteArray("\xFF\x00\x00\x00\x00\xFF", 6);  // red, blue
    return bytes;
}

// A GIF header whose logical screen claims this size, and no picture.
inline QByteArray GifHeaderClaiming(unsigned width, unsigned height) {
    return GifScreen(width, height) + ';';
}

// A two-colour GIF, left half red and right half blue. The LZW codes are 8 bits wide
// and the code table is cleared often enough that they stay so: one byte a pixel.
inline QByteArray TwoColourGif(unsigned width, unsigned height) {
    QByteArray bytes = GifScreen(width, height);
    QByteArray descriptor(10, '\0');
    descriptor[0] = ',';
    PutLittle16(descriptor, 5, width);
    PutLittle16(descriptor, 7, height);
    bytes += descriptor;
    bytes += char(7);  // minimum code size: codes of 8 bits, clear 128, end 129
    QByteArray codes;
    int sinceClear = 0;
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            if (sinceClear == 0) codes += char(128);
            codes += char(x < width / 2 ? 0 : 1);
            sinceClear = (sinceClear + 1) % 100;
        }
    }
    codes += char(129);
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        bytes += char(block.size());
        bytes += block;
    }
    bytes += char(0);
    bytes += ';';
    return bytes;
}

}  // namespace vistel::test
