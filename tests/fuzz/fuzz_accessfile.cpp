// Opening and reading Access files (.mdb, .accdb) of any content: the file
// check, the catalog, every table's definition and rows, each field as the
// screens show it. Every input ends in rows read or in hakobee::Error naming
// the file; never a crash, a read outside memory, a leak or an endless loop.

#include "fuzztarget.h"

#include "core/error.h"
#include "platform/access/accessdatabase.h"
#include "platform/access/accessfile.h"

namespace {

using namespace hakobee;

// The most rows read from one table: a damaged file may claim any number.
constexpr qint64 mostRows = 20000;

QString quotedName(QString name)
{
    return u'"' + name.replace(u'"', u"\"\""_qs) + u'"';
}

void readTable(Connection& connection, const QString& table)
{
    std::unique_ptr<Recordset> records;
    try {
        records =
            connection.openRecordset(u"select * from "_qs + quotedName(table), CursorKind::Grid);
    } catch (const Error&) {
        return; // a damaged table is reported; the others stay readable
    }
    for (int i = 0; i < records->fieldCount(); ++i)
        accessColumnType(*records, i);
    qint64 rows = 0;
    for (; !records->eof() && rows < mostRows; records->moveNext(), ++rows) {
        for (int i = 0; i < records->fieldCount(); ++i)
            records->field(i);
    }
    if (records->eof() && rows > 0) {
        records->moveLast();
        records->moveFirst();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzz::scratchFolder().filePath(u"input.mdb"_qs);
    fuzz::writeFile(path, fuzz::bytesOf(data, size));
    try {
        QStringList tables;
        const std::unique_ptr<AccessFile> file = AccessFile::open(path);
        for (const AccessTableEntry& entry : file->tables())
            tables.append(entry.name);
        const std::unique_ptr<Connection> connection = openAccessDatabase(path);
        for (const QString& table : std::as_const(tables))
            readTable(*connection, table);
    } catch (const Error& error) {
        if (error.description().isEmpty())
            fuzz::broken("a refusal says why");
    }
    return 0;
}
