#pragma once

#include "core/barcode/barcodepicture.h"

#include <QRectF>
#include <QString>

#include <memory>

class QPainter;

namespace hakobee {

class BarcodeEncoder;

// Where BarcodeCopy leaves its picture for the run to take: an in-process
// slot standing in for the clipboard, so a run never touches the operator's
// clipboard.
class PictureSlot
{
public:
    bool hasPicture() const { return picture_ != nullptr; }
    std::shared_ptr<const BarcodePicture> picture() const { return picture_; }
    void setPicture(std::shared_ptr<const BarcodePicture> picture)
    {
        picture_ = std::move(picture);
    }
    void clear() { picture_.reset(); }

private:
    std::shared_ptr<const BarcodePicture> picture_;
};

// The two barcode calls of the run screens. The sizes and the module width
// follow from the label layout and the device, not from parameters.
class BarcodeCalls
{
public:
    BarcodeCalls(const BarcodeEncoder& encoder, PictureSlot& slot) : encoder_(encoder), slot_(slot)
    {}

    // Draws the barcode of the text at the top-left of the area, in the
    // painter's device pixels. Returns 0 when drawn, -1 when the text names
    // no valid code (then nothing is drawn).
    int display2(const QString& barcodeText, QPainter& painter, const QRectF& areaPixels) const;

    // Leaves the barcode of the text in the picture slot. When the text
    // names no valid code the slot is emptied, so a stale picture of an
    // earlier record can never be taken for this one, and the error is
    // thrown on.
    void copy(const QString& barcodeText);

    const PictureSlot& slot() const { return slot_; }

private:
    const BarcodeEncoder& encoder_;
    PictureSlot& slot_;
};

} // namespace hakobee
