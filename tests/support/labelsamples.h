#pragma once

#include "core/render/labelrecord.h"

namespace hakobee::test {

// A picture of a label barcode's size that draws nothing: layout tests need
// its place on the label, not its bars.
class FixedPicture : public PrintPicture
{
public:
    QSizeF sizeMm(double) const override { return {38.4, 6.5}; }
    void paint(QPainter&, QPointF, double) const override {}
};

// A label record of the sample database's shape, with offsets and size
// adjustment at 0; the caption is the barcode value, as the print runs set it.
// Tests that print pass the program's face (japaneseFontFamily()); the core's
// tests, which measure no real text, keep a proportional Japanese Gothic.
inline LabelRecord sampleLabelRecord(const QString& barcodeValue,
                                     std::shared_ptr<const PrintPicture> picture,
                                     const QString& fontFamily = u"IPAPGothic"_qs)
{
    LabelRecord record;
    record.offsetXMm = u"0"_qs;
    record.offsetYMm = u"0"_qs;
    record.fontAdjustmentPt = u"0"_qs;
    record.barcodeValue = barcodeValue;
    record.itemName = u"緑茶ティーバッグ 20袋"_qs;
    record.name = u"静岡県産"_qs;
    record.price = u"398"_qs;
    record.barcodeCaption = barcodeValue;
    record.barcodePicture = std::move(picture);
    record.title1 = u"ハコビー商店"_qs;
    record.title2 = u"税込価格"_qs;
    record.baseFont = {fontFamily, 9.0};
    return record;
}

} // namespace hakobee::test
