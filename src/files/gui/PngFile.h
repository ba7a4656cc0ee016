#pragma once

#include <QByteArray>
#include <QImage>

/// The PNG file of an image, lossless, 8 bits per channel: RGB, or RGBA when the
/// image has an alpha channel.
///
/// Written here rather than through QImage::save because the pictures this
/// program writes are large areas of flat colour: every row is filtered by the
/// difference with the row above (which turns an area into runs of zeros) and
/// compressed with zlib's run-length strategy. That is several times faster than
/// the library's adaptive filtering, for files about a third larger, and the
/// render command spends a good part of its time writing its picture.
QByteArray encodePng(const QImage& image);
