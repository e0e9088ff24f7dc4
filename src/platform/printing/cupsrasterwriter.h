#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include <cups/raster.h>

namespace hakobee {

// Writes pages as a CUPS raster stream for a raster driver (the Zebra ZPL
// driver and the other label drivers of CUPS, most office printer drivers).
//
// Each page is its ink: a QImage::Format_Alpha8 of the header's cupsWidth x
// cupsHeight dots, 0 no ink, 255 full ink. A 1-bit raster takes a dot as
// ink from half coverage up, so shapes drawn on whole dots (the barcode's
// bars) land exactly and text edges are cut at half a dot; an 8-bit one
// keeps the coverage as grey. Throws hakobee::Error when a page does not
// fit the header or CUPS cannot write the stream.
QByteArray encodeCupsRaster(const cups_page_header2_t& header, const QList<QImage>& inkPages);

} // namespace hakobee
