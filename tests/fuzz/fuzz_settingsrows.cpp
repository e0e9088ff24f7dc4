// The row reader of the settings files (readSettingsRows) on any bytes, in
// the three shapes the program reads: every input ends in rows or in
// hakobee::Error. Rows that were read and can be stored again come back
// unchanged from a rewrite (replaceSettingsFile), as the screens rely on
// when they save what they loaded.

#include "fuzztarget.h"

#include "core/error.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsformat.h"

namespace {

using namespace hakobee;

struct Shape
{
    int valuesPerRow;
    QList<int> numberPositions;
};

bool storable(const QStringList& values)
{
    try {
        for (const QString& value : values)
            checkStorableSettingsValue(value);
        return true;
    } catch (const Error&) {
        return false;
    }
}

void checkRewriteKeepsTheRows(const QString& path, const Shape& shape, const SettingsRows& rows)
{
    if (!storable(rows.header) || !storable(rows.data))
        return;
    try {
        replaceSettingsFile(path, rows.header, rows.data);
    } catch (const Error& error) {
        fuzz::broken("storable rows are written", error.description());
    }
    SettingsRows again;
    try {
        again = readSettingsRows(path, shape.valuesPerRow, shape.numberPositions);
    } catch (const Error& error) {
        fuzz::broken("a written file reads back", error.description());
    }
    if (again.header != rows.header || again.data != rows.data)
        fuzz::broken("a rewrite keeps the rows",
                     rows.data.join(u'|') + u" became "_qs + again.data.join(u'|'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The layout (printer type read as a number), the furniture slip and the
    // data source, as the main menu reads them.
    static const Shape shapes[] = {{4, {3}}, {99, {}}, {3, {}}};
    const QDir folder = fuzz::scratchFolder();
    const QString input = folder.filePath(u"nimbeconfig4.txt"_qs);
    const QString rewritten = folder.filePath(u"rewritten.txt"_qs);
    fuzz::writeFile(input, fuzz::bytesOf(data, size));
    for (const Shape& shape : shapes) {
        SettingsRows rows;
        try {
            rows = readSettingsRows(input, shape.valuesPerRow, shape.numberPositions);
        } catch (const Error& error) {
            if (error.description().isEmpty())
                fuzz::broken("a refusal says why");
            continue;
        }
        if (rows.header.size() != shape.valuesPerRow || rows.data.size() != shape.valuesPerRow)
            fuzz::broken("both rows have every value");
        checkRewriteKeepsTheRows(rewritten, shape, rows);
    }
    return 0;
}
