#pragma once

#include "core/datasource/database.h"
#include "core/printer/printercanvas.h"
#include "core/printrun/labeltitles.h"
#include "core/printrun/runsettings.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>

namespace hakobee {

class BarcodeEncoder;

// A row's label as it will print, drawn by the label renderer onto an image
// at the printer's resolution.
struct LabelPreviewImage
{
    QImage image;   // the top-left part of the printable area
    QRectF drawnMm; // what the label covers of it
    double dotsPerMm = 0;
    QString problem; // why the label cannot print; empty when it can
};

// The printer's side of a preview: its printable area and resolution.
struct PreviewGeometry
{
    QSizeF printableMm{60, 40};
    double dotsPerMm = 300 / 25.4;
};

// Draws the label of a query row: the record's four fields, its barcode (or,
// for a value that names no valid code, the reason in its place), with the
// print adjustments, titles and base font. A row that cannot be printed at
// all (a null field, a price that is no number) gives the reason instead of
// a picture. Draws no more than the first 90 by 45 millimetres, where every
// element of a label lies unless it is moved far out.
LabelPreviewImage drawLabelPreview(const QList<FieldValue>& row, const BarcodeEncoder& encoder,
                                   const PrintAdjustments& adjustments, const LabelTitles& titles,
                                   const PrintFont& baseFont, const PreviewGeometry& geometry);

} // namespace hakobee
