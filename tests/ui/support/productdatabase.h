#pragma once

#include <QString>

namespace hakobee::test {

// Writes an Access file with the table Master in the shape the data source
// screen's example expects: bar, hi, mei (text) and kakaku (currency), with
// rowCount product rows. Returns the file's path.
QString writeProductDatabase(const QString& path, int rowCount);

} // namespace hakobee::test
