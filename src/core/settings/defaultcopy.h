#pragma once

#include <QByteArray>
#include <QString>

namespace hakobee {

// The bytes a default copy of a settings file gives the settings folder.
//
// An installed program's default data source names the sample database
// shipped beside the default copies by its bare file name ("sample.mdb"), so
// the copies stay right wherever the program is installed, unpacked or moved.
// The restored nimbeconfig2.txt then names that database by its full path,
// since the settings folder lies elsewhere (only its header and data row are
// written anew; what follows them stays as it is). Every other default copy, and a
// data source that names its database by a path, is restored byte for byte.
// Throws hakobee::Error when the data source's copy cannot be read as
// settings text or the full path cannot be stored in it.
QByteArray restoredDefaultCopy(const QString& copyPath, const QByteArray& bytes);

} // namespace hakobee
