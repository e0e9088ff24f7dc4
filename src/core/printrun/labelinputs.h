#pragma once

#include "core/printer/printercanvas.h"
#include "core/printer/printeroffset.h"
#include "core/printrun/labeltitles.h"
#include "core/printrun/runsettings.h"

namespace hakobee {

class ActivePrinter;
class DatabaseProvider;
class RememberedPrinter;
class SettingsFolder;

// The size of the base font every label's text is drawn in (in the
// program's font); it sets the line height.
inline constexpr double labelBaseFontPoints = 9.0;

// What a run prints its labels with besides the records: the print
// adjustments, the titles, the base font and the printer's calibration.
// The window and the command line each say where these come from.
class LabelInputs
{
public:
    virtual ~LabelInputs() = default;

    // The print adjustments as saved now; a run asks as it starts, so a
    // change saved on the position screen reaches the next run. Throws
    // hakobee::Error when they cannot be read.
    virtual PrintAdjustments adjustments() = 0;
    // The titles in force for the label about to print. Throws hakobee::Error.
    virtual LabelTitles titles() = 0;
    virtual PrintFont baseFont() const = 0;
    // The calibration offset of the printer the label about to print goes
    // to: it can change between labels (connection type "1" goes back to
    // the chosen printer before each).
    virtual PrinterOffsetMm printerOffset() = 0;
};

// The inputs as the settings folder holds them: the adjustments of
// nimbeconfig5.txt, the titles of nimbeconfig4.txt, each read when asked,
// and the calibration remembered for the current printer (none where no
// printer is remembered).
class SavedLabelInputs : public LabelInputs
{
public:
    SavedLabelInputs(const SettingsFolder& settings, DatabaseProvider& databases,
                     const QString& fontFamily, const RememberedPrinter* remembered = nullptr,
                     ActivePrinter* printer = nullptr)
        : settings_(settings), databases_(databases), baseFont_{fontFamily, labelBaseFontPoints},
          remembered_(remembered), printer_(printer)
    {}

    PrintAdjustments adjustments() override;
    LabelTitles titles() override;
    PrintFont baseFont() const override { return baseFont_; }
    PrinterOffsetMm printerOffset() override;

protected:
    DatabaseProvider& databases() { return databases_; }

private:
    const SettingsFolder& settings_;
    DatabaseProvider& databases_;
    PrintFont baseFont_;
    const RememberedPrinter* remembered_;
    ActivePrinter* printer_;
};

} // namespace hakobee
