#pragma once

#include "mdbwriter/mdbwriter.h"

namespace hakobee::testdata {

// The columns of the sample's shape: bar Text(50), hi Text(255),
// mei Text(255), as2 Currency.
QList<mdbwriter::Column> productColumns();

// A table of that shape with rowCount generated products.
mdbwriter::Table generatedProductsTable(const QString& name, qint64 rowCount);

} // namespace hakobee::testdata
