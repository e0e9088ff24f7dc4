#pragma once

#include "datasourcefixture.h"

#include "core/datasource/databaseprovider.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printersetup.h"
#include "core/printer/printsetupdialog.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/render/cancelrequest.h"
#include "core/settings/settingsfolder.h"
#include "support/fakeprinterbackend.h"
#include "support/watchedcanvas.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"
#include "ui/screenlabelprogress.h"

#include <QTemporaryDir>

#include <functional>

class QWidget;

namespace hakobee::test {

// The print-setup dialog, answered without a person: confirmed (changing
// nothing) or cancelled.
class AnsweringPrintSetupDialog : public PrintSetupDialog
{
public:
    bool exec(quint32, QWidget* owner, QByteArray&, QByteArray&) override
    {
        ++shown;
        lastOwner = owner;
        return confirm;
    }
    bool confirm = true;
    int shown = 0;
    QWidget* lastOwner = nullptr;
};

// What the run screens need, over generated Access databases: settings in a
// temporary root, a recording printer behind the current printer, the
// label pipeline with zint's barcodes and the progress screen, recorded
// message boxes and a print-setup dialog that answers itself.
class RunFixture
{
public:
    RunFixture();
    ~RunFixture();

    // Writes the database of `rows` generated products (table Master: bar,
    // hi, mei, as2) and points nimbeconfig2.txt at it. `spoil` may change a
    // row's values (row from 0) before it is written.
    QString useProducts(qint64 rows,
                        std::function<void(qint64 row, QList<QVariant>& values)> spoil = {});
    void writeLayout(const QString& title1, const QString& title2, const QString& paper,
                     const QString& connectionType);
    void writeAdjustments(const QString& x, const QString& y, const QString& size);
    // The printer remembered in the settings folder, restored onto the
    // fixture's printer and handed to the screens, as the program does.
    RememberedPrinter& rememberPrinter();

    // The barcode value of generated row `row` (from 0).
    static QString barcodeOfRow(qint64 row);
    static QStringList barcodesOfRows(qint64 first, qint64 last); // rows from 1

    QTemporaryDir root;
    SettingsFolder settings;
    StandardDatabaseProvider databases;
    WatchedMessageBoxes messages;
    WatchedCanvas canvas;
    FakePrinterBackend printerBackend;
    std::unique_ptr<ActivePrinter> printer;
    AnsweringPrintSetupDialog dialog;
    std::unique_ptr<PrinterSetup> printerSetup;
    std::unique_ptr<RememberedPrinter> rememberedPrinter;
    CancelRequest cancel;
    AppContext context;
    ScreenHost screens{context};
    ScreenLabelProgress progress{screens};
    std::unique_ptr<LabelPipeline> labels;
};

} // namespace hakobee::test
