#include "runfixture.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "platform/access/accessdatabase.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "ui/screen.h"

#include <mdbwriter/mdbwriter.h>
#include <testdata/generatedproducts.h>
#include <testdata/productstable.h>

#include <QApplication>
#include <QDir>

namespace hakobee::test {

RunFixture::RunFixture() : settings(root.path()), databases(settings, openAccessDatabase)
{
    if (!root.isValid() || !QDir().mkpath(settings.folderPath()))
        qFatal("cannot create the test settings folder");
    printerBackend.printers = {FakePrinter::withAllSettings(u"Label Printer"_qs)};
    printerBackend.defaultPrinter = u"Label Printer"_qs;
    printerBackend.canvas = &canvas;
    printer = std::make_unique<ActivePrinter>(printerBackend);
    printerSetup = std::make_unique<PrinterSetup>(*printer, dialog, messages);
    labels = std::make_unique<LabelPipeline>(std::make_unique<ZintBarcodeEncoder>(),
                                             printer->canvas(), progress, cancel);
    context.messages = &messages;
    context.screens = &screens;
    context.settings = &settings;
    context.databases = &databases;
    context.printer = printer.get();
    context.printerSetup = printerSetup.get();
    context.labels = labels.get();
    context.cancel = &cancel;
    writeLayout(u"ハコビー商店"_qs, u"税込価格"_qs, u"_"_qs, u"0"_qs);
    writeAdjustments(u"0"_qs, u"0"_qs, u"0"_qs);
}

RememberedPrinter& RunFixture::rememberPrinter()
{
    rememberedPrinter = std::make_unique<RememberedPrinter>(settings);
    rememberedPrinter->restoreAtFirstUse(*printer);
    context.rememberedPrinter = rememberedPrinter.get();
    return *rememberedPrinter;
}

// Screens outlive no fixture: they hold on to its seams.
RunFixture::~RunFixture()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Screen*>(window))
            delete window;
    }
}

QString RunFixture::useProducts(qint64 rows, std::function<void(qint64, QList<QVariant>&)> spoil)
{
    const QString path = root.filePath(u"products-%1.mdb"_qs.arg(rows));
    mdbwriter::Table table = testdata::generatedProductsTable(u"Master"_qs, rows);
    if (spoil) {
        const auto generated = table.rowAt;
        table.rowAt = [generated, spoil](qint64 row, QList<mdbwriter::Value>& values) {
            generated(row, values);
            QList<QVariant> shown{std::get<QString>(values[0]), std::get<QString>(values[1]),
                                  std::get<QString>(values[2]), std::get<qint64>(values[3])};
            spoil(row, shown);
            for (int i = 0; i < 4; ++i) {
                if (shown[i].isNull())
                    values[i] = std::monostate();
                else if (i == 3)
                    values[i] = shown[i].toLongLong();
                else
                    values[i] = shown[i].toString();
            }
        };
    }
    mdbwriter::writeDatabase(path, {table});
    replaceSettingsFile(
        settings.filePath(SettingsFiles::dataSource), SettingsColumns::dataSource(),
        {QDir::toNativeSeparators(path), u"Master"_qs, u"select bar,hi,mei,as2 from "_qs});
    return path;
}

void RunFixture::writeLayout(const QString& title1, const QString& title2, const QString& paper,
                             const QString& connectionType)
{
    replaceSettingsFile(settings.filePath(SettingsFiles::layout), SettingsColumns::layout(),
                        {title1, title2, paper, connectionType});
}

void RunFixture::writeAdjustments(const QString& x, const QString& y, const QString& size)
{
    QStringList values(99, u"_"_qs);
    values[2] = x;
    values[3] = y;
    values[4] = size;
    replaceSettingsFile(settings.filePath(SettingsFiles::printAdjustments),
                        SettingsColumns::printAdjustments(), values);
}

QString RunFixture::barcodeOfRow(qint64 row)
{
    return testdata::generatedProduct(row).barcode;
}

QStringList RunFixture::barcodesOfRows(qint64 first, qint64 last)
{
    QStringList barcodes;
    for (qint64 row = first; row <= last; ++row)
        barcodes.append(barcodeOfRow(row - 1));
    return barcodes;
}

} // namespace hakobee::test
