#include "platform/printing/cupsrasterwriter.h"

#include "core/error.h"

#include <vector>

namespace hakobee {

namespace {

constexpr int halfInk = 128;

ssize_t appendToByteArray(void* context, unsigned char* buffer, size_t length)
{
    static_cast<QByteArray*>(context)->append(reinterpret_cast<const char*>(buffer),
                                              static_cast<qsizetype>(length));
    return static_cast<ssize_t>(length);
}

struct RasterClose
{
    void operator()(cups_raster_t* raster) const { cupsRasterClose(raster); }
};

// Spaces where a set bit or a high value means ink.
bool inkIsHigh(cups_cspace_t space)
{
    return space == CUPS_CSPACE_K;
}

// One row of the page in the header's pixel format.
void encodeRow(const cups_page_header2_t& header, const uchar* ink, std::vector<uchar>& row)
{
    std::fill(row.begin(), row.end(), 0);
    const bool high = inkIsHigh(header.cupsColorSpace);
    const unsigned channels = header.cupsBitsPerPixel / header.cupsBitsPerColor;
    for (unsigned x = 0; x < header.cupsWidth; ++x) {
        if (header.cupsBitsPerColor == 1) {
            const bool dark = ink[x] >= halfInk;
            if (dark == high)
                row[x / 8] |= static_cast<uchar>(0x80 >> (x % 8));
        } else {
            const uchar value = high ? ink[x] : static_cast<uchar>(255 - ink[x]);
            for (unsigned c = 0; c < channels; ++c)
                row[x * channels + c] = value;
        }
    }
}

} // namespace

QByteArray encodeCupsRaster(const cups_page_header2_t& header, const QList<QImage>& inkPages)
{
    QByteArray stream;
    std::unique_ptr<cups_raster_t, RasterClose> raster(
        cupsRasterOpenIO(appendToByteArray, &stream, CUPS_RASTER_WRITE_COMPRESSED));
    if (!raster)
        throw Error(u"印刷データ（ラスター）を作れませんでした。"_qs);
    std::vector<uchar> row(header.cupsBytesPerLine);
    for (const QImage& page : inkPages) {
        if (page.format() != QImage::Format_Alpha8 ||
            page.width() != static_cast<int>(header.cupsWidth) ||
            page.height() != static_cast<int>(header.cupsHeight))
            throw Error(u"印刷データ（ラスター）の大きさがプリンタの用紙と合いません。"_qs);
        cups_page_header2_t pageHeader = header;
        if (!cupsRasterWriteHeader2(raster.get(), &pageHeader))
            throw Error(u"印刷データ（ラスター）を作れませんでした。"_qs);
        for (int y = 0; y < page.height(); ++y) {
            encodeRow(header, page.constScanLine(y), row);
            if (cupsRasterWritePixels(raster.get(), row.data(), header.cupsBytesPerLine) !=
                header.cupsBytesPerLine)
                throw Error(u"印刷データ（ラスター）を作れませんでした。"_qs);
        }
    }
    raster.reset();
    return stream;
}

} // namespace hakobee
