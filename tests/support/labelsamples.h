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
                                     const QString& fontFamily = QStringLiteral("IPAPGothic"))
{
    LabelRecord record;
    record.offsetXMm = QStringLiteral("0");
    record.offsetYMm = QStringLiteral("0");
    record.fontAdjustmentPt = QStringLiteral("0");
    record.barcodeValue = barcodeValue;
    record.itemName = QStringLiteral("緑茶ティーバッグ 20袋");
    record.name = QStringLiteral("静岡県産");
    record.price = QStringLiteral("398");
    record.barcodeCaption = barcodeValue;
    record.barcodePicture = std::move(picture);
    record.title1 = QStringLiteral("ハコビー商店");
    record.title2 = QStringLiteral("税込価格");
    record.baseFont = {fontFamily, 9.0};
    return record;
}

} // namespace hakobee::test
