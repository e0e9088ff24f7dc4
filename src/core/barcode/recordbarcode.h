#pragma once

#include "core/barcode/barcodepicture.h"

#include <QString>

#include <memory>

namespace hakobee {

class BarcodeEncoder;

// Makes the barcode picture of this record: the value is read once as a JAN
// code and drawn. When it cannot be made the record's label must not be
// printed: this throws hakobee::Error naming the value. An empty value has
// no barcode: the label is printed with its header alone, so this gives no
// picture.
std::shared_ptr<const BarcodePicture> makeRecordBarcode(const BarcodeEncoder& encoder,
                                                        const QString& barcodeValue);

} // namespace hakobee
