#pragma once

#include <QImage>
#include <QSize>

namespace hakobee {

// The picture of a sample data file: a few rows of the table Master with the
// default field names bar, hi, mei and as2, drawn like a datasheet, so the
// operator sees what the data source settings expect (barcode, item name,
// name, tax-included price, in that order).
constexpr QSize sampleDataPictureSizePixels{451, 176};

// A 24-bit colour image of sampleDataPictureSizePixels.
QImage drawSampleDataPicture();

} // namespace hakobee
