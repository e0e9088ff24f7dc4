#pragma once

#include "core/printer/printermemory.h"

#include <QObject>
#include <QString>

namespace hakobee {

class ActivePrinter;
class SettingsFolder;

// The printer the operator chose last and every printer's calibration
// offset, kept across starts in the settings folder (printermemory.h has
// the file). One per process, beside the ActivePrinter; the window, `hakobee
// print` and the tests put them together the same way:
//
//     RememberedPrinter remembered(settings);        // reads the file
//     remembered.restoreAtFirstUse(activePrinter);   // the remembered printer becomes current
//     PrinterSetup setup(activePrinter, dialog, messages, &remembered); // choices are remembered
//
// Starting: the remembered printer is made current, with its settings, when
// the printer is first needed (so the program's start does not wait for the
// printer system); a setting the printer now lacks or rejects is skipped.
// With nothing remembered the current printer stays the system's default,
// as before anything was ever remembered. A missing file remembers nothing
// and is no fault; a damaged one remembers nothing either and says so in
// problem(), and is replaced by the next choice or calibration (the other
// settings files are never touched because of it).
//
// A remembered printer that is no longer installed leaves the current
// printer as it was and makes isMissing() true: every run stops before its
// first label with missingMessage() (checkNotMissing), so labels never go
// silently to another printer, until the operator chooses a printer.
//
// Remembering: a printer the operator confirms in the print-setup dialog
// (remember) is kept at once for this process and written to the file.
class RememberedPrinter : public QObject
{
    Q_OBJECT

public:
    // Reads the folder's file.
    explicit RememberedPrinter(const SettingsFolder& folder);

    // Why the file could not be used, naming it; empty when it was read or
    // is missing.
    const QString& problem() const { return problem_; }

    // The remembered printer's device name; empty when none is remembered.
    const QString& deviceName() const { return memory_.currentDeviceName; }
    const PrinterMemory& memory() const { return memory_; }

    // Makes restoreInto() the printer's first-use step.
    void restoreAtFirstUse(ActivePrinter& printer);
    // Makes the remembered printer current on `printer`, then sets its
    // paper size (with the page width and height for the user-defined size
    // 256), orientation, paper source and resolution, skipping what the
    // printer rejects. Does nothing when nothing is remembered; notes the
    // printer as missing when none of that name is installed or it cannot
    // be opened.
    void restoreInto(ActivePrinter& printer);

    bool isMissing() const { return !missingName_.isEmpty(); }
    // "プリンタ「X」が見つかりません。..." with how to choose another.
    QString missingMessage() const;
    // Throws hakobee::Error with missingMessage() while isMissing().
    void checkNotMissing() const;

    // Remembers the printer current on `printer` and its settings (those it
    // has) as the operator's choice, ending isMissing(), and writes the
    // file. The choice holds for this process even when the file cannot be
    // written: then throws hakobee::Error saying why.
    void remember(const ActivePrinter& printer);

    // The calibration offset of that printer (letter case aside); none for a
    // printer never calibrated.
    PrinterOffsetMm offsetMm(const QString& deviceName) const;
    // Keeps the printer's new offset and writes the file; throws
    // hakobee::Error when it cannot be written (the offset holds for this
    // process all the same).
    void setOffsetMm(const QString& deviceName, const PrinterOffsetMm& offset);

    // The printer labels go to, as the screens name it, without opening the
    // printer system when it is not open yet: the remembered printer's
    // name; when nothing is remembered "既定のプリンター", with the system
    // default's name once the printer is open ("既定のプリンター（name）");
    // or "「X」が見つかりません" for a remembered printer that is missing.
    QString inUseText(const ActivePrinter& printer) const;

signals:
    // The printer in use, its settings or an offset changed; also (queued)
    // when the default printer is first opened with nothing remembered.
    void changed();

private:
    void write();

    const SettingsFolder& folder_;
    PrinterMemory memory_;
    QString problem_;
    QString missingName_;
    QString missingReason_; // why it could not be opened; empty when it is not installed
};

} // namespace hakobee
