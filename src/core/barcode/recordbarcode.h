#pragma once

#include "core/barcode/barcodepicture.h"

#include <QString>

#include <memory>

namespace hakobee {

class BarcodeCalls;

// The barcode text the barcode calls take for a record's barcode value.
QString barcodeTextOf(const QString& barcodeValue);

// Makes the barcode picture of this record, through BarcodeCopy and the
// picture slot. When it cannot be made the record's label must not be
// printed: this throws hakobee::Error naming the value, and never hands
// back the picture of an earlier record. An empty value has no barcode: the
// label is printed with its header alone, so this gives no picture and
// leaves the barcode calls untouched.
std::shared_ptr<const BarcodePicture> makeRecordBarcode(BarcodeCalls& barcodes,
                                                        const QString& barcodeValue);

} // namespace hakobee
