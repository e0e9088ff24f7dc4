#pragma once

// glib must come first: mdbtools.h includes it inside extern "C", where
// glib's C++ parts do not compile.
#include <glib.h>
#include <iconv.h>

#include <mdbtools.h>

#include <memory>

namespace hakobee {

// Owners of libmdb's handles, closed or freed when they go.
struct MdbHandleCloser
{
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
using MdbHandlePtr = std::unique_ptr<MdbHandle, MdbHandleCloser>;

struct MdbTableDefFreer
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using MdbTableDefPtr = std::unique_ptr<MdbTableDef, MdbTableDefFreer>;

} // namespace hakobee
