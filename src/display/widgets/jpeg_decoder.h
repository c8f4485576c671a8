#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vistel {

// libjpeg decodes a JPEG file straight at 1/8, 1/4, 1/2 or the whole of its size.
// The denominator (8, 4, 2 or 1) of the smallest of these whose result still covers
// `target` in both directions; 1 when none does (the whole picture is the best there
// is). `picture` is the size stored in the file.
int JpegScaleDenominator(QSize picture, QSize target);

// The size a picture comes out at when decoded at 1/denominator: each side rounded
// up, as libjpeg does.
QSize JpegScaledSize(QSize picture, int denominator);

// Decodes the JPEG file at `path` with libjpeg, at the reduction JpegScaleDenominator
// picks for `target`, into an RGB32 image as stored in the file (not turned upright,
// not scaled any further). A file whose data breaks off gives what could be decoded.
// A null image when the file cannot be read, is not a JPEG libjpeg decodes, is in
// CMYK (Qt's reader knows how those are meant to look), would come out larger than
// the picture loader allows, or its pixels cannot be allocated.
QImage DecodeJpeg(const QString& path, QSize target);

}  // namespace vistel
