#pragma once

#include "core/error.h"
#include "core/printer/printerbackend.h"
#include "core/printer/printercanvas.h"

#include <QList>
#include <QMap>
#include <QSet>

#include <functional>
#include <memory>

namespace hakobee::test {

// A printer as a test describes it: the settings it has (a setting missing
// from `settings` is one it lacks) and the values it rejects.
struct FakePrinter
{
    QString deviceName;
    QString driverName = u"Fake Driver"_qs;
    QString port = u"FAKE:"_qs;
    QMap<PrinterSetting, int> settings;
    // What supportedPaperSizes() reports.
    QList<SupportedPaperSize> paperSizes;
    std::function<bool(PrinterSetting, int)> rejects = [](PrinterSetting, int) {
        return false;
    };

    // A printer with the paper size only (A4), lacking everything else.
    static FakePrinter bare(const QString& name)
    {
        FakePrinter printer;
        printer.deviceName = name;
        printer.settings = {{PrinterSetting::PaperSize, 9}};
        return printer;
    }

    // A printer with every setting of the table, on A4 portrait.
    static FakePrinter withAllSettings(const QString& name)
    {
        FakePrinter printer;
        printer.deviceName = name;
        printer.settings = {{PrinterSetting::PaperSize, 9},
                            {PrinterSetting::PageWidthTwips, 11906},
                            {PrinterSetting::PageHeightTwips, 16838},
                            {PrinterSetting::Orientation, 1},
                            {PrinterSetting::PaperSource, 7},
                            {PrinterSetting::PrintQuality, 600},
                            {PrinterSetting::ColourMode, 1},
                            {PrinterSetting::Duplex, 1},
                            {PrinterSetting::Scale, 100}};
        return printer;
    }
};

struct SettingWrite
{
    QString deviceName;
    PrinterSetting setting;
    int value;
    bool accepted;
};

// Installed printers held in memory (set up before the first device is
// opened: devices refer to the list's entries). A device works on its FakePrinter in
// the backend, so what a test set up and what the code changed stay
// visible after the device is gone; every write attempt is logged.
class FakePrinterBackend : public PrinterBackend
{
public:
    QList<FakePrinter> printers;
    QString defaultPrinter;
    QList<SettingWrite> writes;
    int opened = 0;
    int paperSizeQueries = 0;
    // Runs while a printer is asked for its paper sizes.
    std::function<void()> onPaperSizeQuery;
    // The canvas every device draws on; a test that draws sets it.
    PrinterCanvas* canvas = nullptr;

    FakePrinter& printer(const QString& deviceName)
    {
        for (FakePrinter& printer : printers) {
            if (printer.deviceName == deviceName)
                return printer;
        }
        throw Error(u"no fake printer "_qs + deviceName);
    }

    QStringList printerNames() const override
    {
        QStringList names;
        for (const FakePrinter& printer : printers)
            names.append(printer.deviceName);
        return names;
    }
    QString defaultPrinterName() const override { return defaultPrinter; }
    std::unique_ptr<PrinterDevice> openPrinter(const QString& deviceName) override
    {
        ++opened;
        return std::make_unique<Device>(*this, printer(deviceName));
    }

private:
    class Device : public PrinterDevice
    {
    public:
        Device(FakePrinterBackend& backend, FakePrinter& printer)
            : backend_(backend), printer_(printer)
        {}
        QString deviceName() const override { return printer_.deviceName; }
        QString driverName() const override { return printer_.driverName; }
        QString port() const override { return printer_.port; }
        int setting(PrinterSetting which) const override
        {
            if (!printer_.settings.contains(which))
                throw Error(u"setting not supported"_qs);
            return printer_.settings.value(which);
        }
        void setSetting(PrinterSetting which, int value) override
        {
            const bool accepted =
                printer_.settings.contains(which) && !printer_.rejects(which, value);
            backend_.writes.append({printer_.deviceName, which, value, accepted});
            if (!accepted)
                throw Error(u"setting rejected"_qs);
            printer_.settings[which] = value;
        }
        QList<SupportedPaperSize> supportedPaperSizes() const override
        {
            ++backend_.paperSizeQueries;
            if (backend_.onPaperSizeQuery)
                backend_.onPaperSizeQuery();
            return printer_.paperSizes;
        }
        PrinterCanvas& canvas() override
        {
            if (!backend_.canvas)
                throw Error(u"the fake printer has no canvas"_qs);
            return *backend_.canvas;
        }

    private:
        FakePrinterBackend& backend_;
        FakePrinter& printer_;
    };
};

} // namespace hakobee::test
