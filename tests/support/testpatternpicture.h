#pragma once

#include "core/printer/printercanvas.h"

#include <QPainter>

namespace hakobee::test {

// A black frame of a given size with a white centre, drawn in whole device
// dots; remembers how it was last painted.
class TestPatternPicture : public PrintPicture
{
public:
    explicit TestPatternPicture(double sideMm) : sideMm_(sideMm) {}

    QSizeF sizeMm(double) const override { return {sideMm_, sideMm_}; }

    void paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const override
    {
        lastTopLeftDots = topLeftDots;
        lastDotsPerMm = dotsPerMm;
        const double side = sideMm_ * dotsPerMm;
        const QRectF outer(topLeftDots, QSizeF(side, side));
        painter.fillRect(outer, Qt::black);
        painter.fillRect(outer.adjusted(side / 4, side / 4, -side / 4, -side / 4), Qt::white);
    }

    mutable QPointF lastTopLeftDots;
    mutable double lastDotsPerMm = 0;

private:
    double sideMm_;
};

} // namespace hakobee::test
