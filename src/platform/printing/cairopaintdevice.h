#pragma once

#include <QPaintDevice>
#include <QSize>

#include <memory>

typedef struct _cairo cairo_t;

namespace hakobee {

class CairoPaintEngine;

// A paint device whose QPainter draws on a cairo context, so that a
// PrintPicture painted with QPainter lands in a cairo PDF as vector shapes.
// The context's transformation at construction maps the device's pixels
// (printer dots) to the page. Paths, rectangles, polygons, pens, solid
// brushes, clipping and images are drawn by cairo; what the engine does not
// offer (gradients, pattern brushes, opacity) QPainter rasterises into an
// image first. Brushes with a texture fill in their colour.
class CairoPaintDevice : public QPaintDevice
{
public:
    CairoPaintDevice(cairo_t* context, QSize sizeDots, double dotsPerInch, bool greyscale);
    ~CairoPaintDevice() override;
    CairoPaintDevice(const CairoPaintDevice&) = delete;
    CairoPaintDevice& operator=(const CairoPaintDevice&) = delete;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<CairoPaintEngine> engine_;
    QSize sizeDots_;
    double dotsPerInch_;
};

} // namespace hakobee
