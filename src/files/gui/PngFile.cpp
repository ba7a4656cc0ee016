#include "files/gui/PngFile.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace {

void putBigEndian(QByteArray& out, uint32_t v)
{
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

/// Appends a chunk: length, type, data and the CRC of type and data.
void putChunk(QByteArray& out, const char (&type)[5], const unsigned char* data, std::size_t size)
{
    putBigEndian(out, uint32_t(size));
    const qsizetype at = out.size();
    out.append(type, 4);
    if (size > 0)
        out.append(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + at);
    putBigEndian(out, uint32_t(crc32(crc32(0L, Z_NULL, 0), typed, uInt(size + 4))));
}

/// The rows as PNG stores them before compression: a filter byte, then the
/// pixels as differences from the ones above them (the "Up" filter; the row
/// above the first is taken as zeros).
std::vector<unsigned char> filteredRows(const QImage& image, int channels)
{
    const int w = image.width(), h = image.height();
    const std::size_t width = std::size_t(w) * std::size_t(channels);
    const std::size_t stride = 1 + width;
    std::vector<unsigned char> raw(stride * std::size_t(h));
    std::vector<unsigned char> row(width), above(width, 0);
    for (int y = 0; y < h; ++y) {
        const auto* px = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &row[std::size_t(x) * std::size_t(channels)];
            p[0] = uchar(qRed(px[x]));
            p[1] = uchar(qGreen(px[x]));
            p[2] = uchar(qBlue(px[x]));
            if (channels == 4)
                p[3] = uchar(qAlpha(px[x]));
        }
        unsigned char* out = &raw[stride * std::size_t(y)];
        out[0] = 2; // Up
        for (std::size_t i = 0; i < width; ++i)
            out[1 + i] = uchar(row[i] - above[i]);
        row.swap(above);
    }
    return raw;
}

} // namespace

QByteArray encodePng(const QImage& source)
{
    const bool alpha = source.hasAlphaChannel();
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int channels = alpha ? 4 : 3;
    const std::vector<unsigned char> raw = filteredRows(image, channels);

    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return {};
    std::vector<unsigned char> packed(deflateBound(&z, uLong(raw.size())));
    z.next_in = const_cast<Bytef*>(raw.data());
    z.avail_in = uInt(raw.size());
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    const int status = deflate(&z, Z_FINISH);
    const std::size_t packedSize = z.total_out;
    deflateEnd(&z);
    if (status != Z_STREAM_END)
        return {};

    QByteArray out;
    out.reserve(qsizetype(packedSize + 64));
    out.append("\x89PNG\r\n\x1a\n", 8);
    std::array<unsigned char, 13> header{};
    const uint32_t w = uint32_t(image.width()), h = uint32_t(image.height());
    for (int i = 0; i < 4; ++i) {
        header[std::size_t(i)] = uchar(w >> (24 - 8 * i));
        header[std::size_t(4 + i)] = uchar(h >> (24 - 8 * i));
    }
    header[8] = 8;             // bits per channel
    header[9] = alpha ? 6 : 2; // RGBA or RGB
    putChunk(out, "IHDR", header.data(), header.size());
    putChunk(out, "IDAT", packed.data(), packedSize);
    putChunk(out, "IEND", nullptr, 0);
    return out;
}
