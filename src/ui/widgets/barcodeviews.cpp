#include "ui/widgets/barcodeviews.h"

#include "core/barcode/barcodecalls.h"

#include <QPainter>

namespace hakobee {

namespace {

constexpr int margin = 4; // pixels around the barcode
constexpr double millimetresPerInch = 25.4;

QSize barcodeBoxSize(const QWidget& widget)
{
    // An EAN-13 label barcode: about 35 by 7 millimetres.
    const double dotsPerMm = widget.logicalDpiX() / millimetresPerInch;
    return QSize(int(38 * dotsPerMm), int(BarcodePicture::labelBarHeightMm * dotsPerMm)) +
           QSize(2 * margin, 2 * margin);
}

} // namespace

QString BarcodeSampleView::sampleBarcodeText()
{
    return u"JAN-123456789012"_qs;
}

BarcodeSampleView::BarcodeSampleView(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"Picture1"_qs);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void BarcodeSampleView::setBarcodeCalls(const BarcodeCalls* calls)
{
    calls_ = calls;
    update();
}

QSize BarcodeSampleView::sizeHint() const
{
    return barcodeBoxSize(*this);
}

void BarcodeSampleView::paintEvent(QPaintEvent*)
{
    if (!calls_)
        return;
    QPainter painter(this);
    // The result is not looked at: an empty box is all a failure shows.
    calls_->display2(sampleBarcodeText(), painter, QRectF(rect().adjusted(margin, margin, 0, 0)));
}

BarcodePictureView::BarcodePictureView(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"Picture2"_qs);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void BarcodePictureView::setPicture(std::shared_ptr<const BarcodePicture> picture)
{
    picture_ = std::move(picture);
    update();
}

QSize BarcodePictureView::sizeHint() const
{
    return barcodeBoxSize(*this);
}

void BarcodePictureView::paintEvent(QPaintEvent*)
{
    if (!picture_)
        return;
    QPainter painter(this);
    painter.setClipRect(rect());
    picture_->paint(painter, QPointF(margin, margin), logicalDpiX() / millimetresPerInch);
}

} // namespace hakobee
