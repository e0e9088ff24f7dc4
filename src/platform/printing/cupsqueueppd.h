#pragma once

#include "core/printer/papercodes.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cups/raster.h>

#include <memory>
#include <optional>

namespace hakobee {

// One paper size a CUPS queue offers, as its PPD names it.
struct QueueMedia
{
    OfferedPaper paper;     // the media key ("w162h90") and the size in points
    QString displayName;    // the PPD's own text for it ("2.25x1.25\"")
    QRectF printableAreaPt; // from the page's top-left corner, in points
};

// A CUPS queue as its driver describes it (the queue's PPD with the queue's
// default options): the sizes it offers and the one it prints on when the
// job names none, the resolutions it prints at and the default one, and
// whether its driver takes CUPS raster, in which case the program sends
// the page as the driver's own raster rather than as a PDF for Ghostscript
// or Poppler to rasterise.
//
// The PPD is read once, when the queue is opened; a queue without a PPD
// (a driverless IPP printer, a raw queue) gives nothing, and the printer is
// then described by what Qt reports.
class CupsQueuePpd
{
public:
    // Empty when the queue has no PPD or it cannot be read.
    static std::unique_ptr<CupsQueuePpd> open(const QString& queue);
    ~CupsQueuePpd();
    CupsQueuePpd(const CupsQueuePpd&) = delete;
    CupsQueuePpd& operator=(const CupsQueuePpd&) = delete;

    const QList<QueueMedia>& media() const { return media_; }
    // Index into media(), -1 when the default is not one of them.
    int defaultMediaIndex() const { return defaultMedia_; }
    const QList<int>& resolutionsDpi() const { return resolutions_; }
    int defaultResolutionDpi() const { return defaultResolution_; }
    bool takesCupsRaster() const { return takesRaster_; }
    bool customSizes() const { return customSizes_; }

    // The raster page header the driver expects for a page of this media at
    // this resolution, with the queue's default options for the rest
    // (darkness, media tracking, ...). Empty when the driver's raster is
    // not one the program can write (only 1- and 8-bit black, grey and RGB,
    // chunked, are).
    std::optional<cups_page_header2_t> rasterHeader(const QString& mediaKey, QSizeF pageSizePt,
                                                    int resolutionDpi) const;

private:
    struct Ppd;
    CupsQueuePpd(std::unique_ptr<Ppd> ppd, QString queue);
    void describe();

    std::unique_ptr<Ppd> ppd_;
    QString queue_;
    QList<QueueMedia> media_;
    int defaultMedia_ = -1;
    QList<int> resolutions_;
    int defaultResolution_ = 0;
    bool takesRaster_ = false;
    bool customSizes_ = false;
};

// The resolution a PPD resolution choice names: "203dpi", "300x300dpi"
// (the horizontal one), 0 for anything else.
int resolutionChoiceDpi(const QString& choice);

} // namespace hakobee
