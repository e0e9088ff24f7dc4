#pragma once

#include "platform/workbook/ziparchive.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace hakobee {

// A worksheet as the workbook lists it: its name on the tab, and the part
// of the zip container that holds its cells.
struct WorkbookSheet
{
    QString name;
    QString part;
};

class XmlPartReader;

// The texts cells share by number (xl/sharedStrings.xml). Excel numbers
// them as they first appear in the rows, so the table is read only as far
// as the rows read so far need: a million-row sheet's first rows do not
// wait for millions of texts. What was read is held in one buffer.
class SharedStrings
{
public:
    SharedStrings();
    ~SharedStrings();
    SharedStrings(SharedStrings&&) noexcept;
    SharedStrings& operator=(SharedStrings&&) noexcept;

    // Reads from the part as texts are asked for.
    void open(const ZipArchive& archive, const QString& part);
    // The text with the number; nothing when the table has none. Throws
    // hakobee::Error when the part is not well formed.
    std::optional<QString> at(qsizetype index) const;

private:
    bool readNext() const;

    mutable QString characters_;
    mutable std::vector<qsizetype> starts_;
    mutable std::unique_ptr<XmlPartReader> reader_;
};

// What every sheet of a workbook reads its cells with.
struct WorkbookParts
{
    QList<WorkbookSheet> sheets;
    SharedStrings sharedStrings;
    // By the cell's style number (its s attribute): whether the number
    // format shows the number as a date or time.
    std::vector<bool> dateStyles;
    // Dates count days from 1904/01/01 (a workbook from old Mac Excel).
    bool date1904 = false;
};

// Reads the workbook's sheets in tab order and, unless `sheetsOnly`, the
// shared strings and styles. Throws hakobee::Error naming the workbook.
WorkbookParts readWorkbookParts(const ZipArchive& archive, bool sheetsOnly);

// Whether a number format shows a date or time: Excel's built-in formats
// 14-22, 27-36, 45-47 and 50-58 (the Japanese ones among them), or a format
// code with date or time letters outside quotes and brackets.
bool isDateFormat(int formatId, const QString& formatCode);

} // namespace hakobee
