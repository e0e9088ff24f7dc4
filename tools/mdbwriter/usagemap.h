#pragma once

#include "jetformat.h"

#include <QByteArray>
#include <QList>

namespace hakobee::mdbwriter {

class PageFile;

// The row that lists the data pages a table owns. Up to 512 consecutive
// pages fit a map held in the row itself (type 0); beyond that the row points
// to bitmap pages, each covering 32,736 pages (Jet 3: 16,352) (type 1), which are allocated
// and written here. pages must be ascending.
QByteArray usageMapRow(const QList<quint32>& pages, PageFile& file, const jet::Format& format);

// A map with no pages: the free-space map of a table written in one go.
QByteArray emptyUsageMapRow();

} // namespace hakobee::mdbwriter
