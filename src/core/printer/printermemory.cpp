#include "core/printer/printermemory.h"

#include "core/error.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace hakobee {

namespace {

const QStringList columns = {
    u"PRINTER"_qs,     u"CURRENT"_qs,     u"PAPERSIZE"_qs, u"WIDTHTWIPS"_qs, u"HEIGHTTWIPS"_qs,
    u"ORIENTATION"_qs, u"PAPERSOURCE"_qs, u"DPI"_qs,       u"OFFSETXMM"_qs,  u"OFFSETYMM"_qs};

enum Column
{
    printerColumn,
    currentColumn,
    paperSizeColumn,
    widthColumn,
    heightColumn,
    orientationColumn,
    paperSourceColumn,
    dpiColumn,
    offsetXColumn,
    offsetYColumn
};

bool sameName(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

// A row the reader refuses: says which and why, for the message naming the file.
struct RowFault
{
    QString reason;
};

std::optional<int> wholeNumber(const QString& text, int column)
{
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw RowFault{u"%1 の「%2」が整数ではありません"_qs.arg(columns[column], text)};
    return value;
}

double millimetres(const QString& text, int column)
{
    bool ok = false;
    const double value = text.toDouble(&ok); // always a point for the decimals
    if (!ok || !std::isfinite(value))
        throw RowFault{u"%1 の「%2」が数値ではありません"_qs.arg(columns[column], text)};
    return value;
}

PrinterMemoryEntry entryOfRow(const QStringList& row)
{
    if (row.size() != columns.size())
        throw RowFault{u"値が %1 個ではなく %2 個です"_qs.arg(columns.size()).arg(row.size())};
    PrinterMemoryEntry entry;
    entry.deviceName = row[printerColumn];
    if (entry.deviceName.isEmpty())
        throw RowFault{u"プリンタ名が空です"_qs};
    entry.paperSizeCode = wholeNumber(row[paperSizeColumn], paperSizeColumn);
    entry.pageWidthTwips = wholeNumber(row[widthColumn], widthColumn);
    entry.pageHeightTwips = wholeNumber(row[heightColumn], heightColumn);
    entry.orientation = wholeNumber(row[orientationColumn], orientationColumn);
    entry.paperSource = wholeNumber(row[paperSourceColumn], paperSourceColumn);
    entry.printQualityDpi = wholeNumber(row[dpiColumn], dpiColumn);
    entry.offsetMm = {millimetres(row[offsetXColumn], offsetXColumn),
                      millimetres(row[offsetYColumn], offsetYColumn)};
    return entry;
}

QString numberText(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

QString millimetreText(double mm)
{
    return mm == 0 ? u"0"_qs : QString::number(mm, 'g', 12); // never "-0"
}

} // namespace

const PrinterMemoryEntry* PrinterMemory::find(const QString& deviceName) const
{
    for (const PrinterMemoryEntry& entry : printers) {
        if (sameName(entry.deviceName, deviceName))
            return &entry;
    }
    return nullptr;
}

PrinterMemoryEntry& PrinterMemory::entry(const QString& deviceName)
{
    for (PrinterMemoryEntry& entry : printers) {
        if (sameName(entry.deviceName, deviceName))
            return entry;
    }
    PrinterMemoryEntry added;
    added.deviceName = deviceName;
    printers.append(added);
    return printers.last();
}

QString printerMemoryPath(const SettingsFolder& folder)
{
    return folder.filePath(printerMemoryFileName);
}

PrinterMemory readPrinterMemory(const SettingsFolder& folder)
{
    const QString path = printerMemoryPath(folder);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    const QList<QStringList> rows = readSettingsTable(path);
    const auto damaged = [&path](const QString& reason) {
        return Error(u"設定ファイル %1 が壊れています（%2）。"_qs.arg(
            QDir::toNativeSeparators(path), reason));
    };
    if (rows.isEmpty() || rows.first() != columns)
        throw damaged(u"1 行目が列名の行ではありません"_qs);
    PrinterMemory memory;
    for (qsizetype line = 1; line < rows.size(); ++line) {
        const QStringList& row = rows[line];
        try {
            const PrinterMemoryEntry entry = entryOfRow(row);
            if (memory.find(entry.deviceName))
                throw RowFault{u"プリンタ「%1」が 2 度目です"_qs.arg(entry.deviceName)};
            const QString& current = row[currentColumn];
            if (current != u"0" && current != u"1")
                throw RowFault{u"CURRENT が「%1」です"_qs.arg(current)};
            if (current == u"1") {
                if (!memory.currentDeviceName.isEmpty())
                    throw RowFault{u"CURRENT が「1」の行が 2 つあります"_qs};
                memory.currentDeviceName = entry.deviceName;
            }
            memory.printers.append(entry);
        } catch (const RowFault& fault) {
            throw damaged(u"%1 行目: %2"_qs.arg(QString::number(line + 1), fault.reason));
        }
    }
    return memory;
}

void writePrinterMemory(const SettingsFolder& folder, const PrinterMemory& memory)
{
    QList<QStringList> rows{columns};
    for (const PrinterMemoryEntry& entry : memory.printers) {
        QStringList row;
        row << entry.deviceName
            << (sameName(entry.deviceName, memory.currentDeviceName) ? u"1"_qs : u"0"_qs)
            << numberText(entry.paperSizeCode) << numberText(entry.pageWidthTwips)
            << numberText(entry.pageHeightTwips) << numberText(entry.orientation)
            << numberText(entry.paperSource) << numberText(entry.printQualityDpi)
            << millimetreText(entry.offsetMm.horizontalMm)
            << millimetreText(entry.offsetMm.verticalMm);
        rows.append(row);
    }
    if (!folder.exists())
        QDir().mkpath(folder.folderPath());
    replaceSettingsTable(printerMemoryPath(folder), rows);
}

} // namespace hakobee
