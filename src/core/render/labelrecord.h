#pragma once

#include "core/printer/printercanvas.h"

#include <QString>

#include <memory>

namespace hakobee {

// Everything one label is drawn from, gathered afresh for every label: the
// record being printed, the operator's print adjustments and the titles.
// Numbers arrive as the texts the screens hold and are read by the renderer.
struct LabelRecord
{
    QString offsetXMm;        // horizontal print offset, millimetres (SIZE1)
    QString offsetYMm;        // vertical print offset, millimetres (SIZE2)
    QString fontAdjustmentPt; // added to every font size, points (SIZE3)
    QString barcodeValue;     // first column of the record
    QString itemName;         // second column
    QString name;             // third column
    QString price;            // fourth column, tax-included price as a number
    QString barcodeCaption;   // printed under the barcode
    std::shared_ptr<const PrintPicture> barcodePicture; // made for this very record
    QString title1;                                     // header line
    QString title2;                                     // second title line
    PrintFont baseFont; // face of all label text; its size sets the line height
};

} // namespace hakobee
