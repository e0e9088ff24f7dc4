#pragma once

#include "core/barcode/barcodepicture.h"

#include <QString>

#include <memory>

namespace hakobee {

// The JAN/EAN code named by a barcode text such as "JAN-4901234567894".
struct JanCode
{
    enum class Kind
    {
        Ean13,
        Ean8
    };
    Kind kind = Kind::Ean13;
    QString digits; // all 13 or 8 digits, check digit included
};

// Reads "JAN-" followed by 12 or 13 digits (EAN-13) or 7 or 8 digits
// (EAN-8). The missing check digit is computed; a given one must be right,
// so a mistyped code is refused rather than printed as another product's.
// Throws hakobee::Error naming the text for anything else.
JanCode parseJanBarcodeText(const QString& barcodeText);

// A record's barcode value (the digits alone), read by the same rules; a
// refusal names it as the barcode text "JAN-..." the screens show.
JanCode parseJanBarcodeValue(const QString& barcodeValue);

// The check digit of an EAN-13 or EAN-8 code without its last digit.
QChar eanCheckDigit(const QString& digitsWithoutCheck);

// Makes barcode pictures of JAN codes.
class BarcodeEncoder
{
public:
    virtual ~BarcodeEncoder() = default;
    // Throws hakobee::Error when the code cannot be drawn.
    virtual std::shared_ptr<const BarcodePicture> encode(const JanCode& code) const = 0;
    // The code a barcode text names. Throws hakobee::Error naming the text
    // when it names no valid code.
    std::shared_ptr<const BarcodePicture> encode(const QString& barcodeText) const
    {
        return encode(parseJanBarcodeText(barcodeText));
    }
};

} // namespace hakobee
