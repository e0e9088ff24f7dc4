#pragma once

#include "core/printrun/labelinputs.h"

namespace hakobee {

struct AppContext;

// What the window's runs and previews print labels with: the adjustments
// as saved, the titles of the layout selection screen (Form3) as they stand
// on it when it is open, unsaved edits included, else as saved, the
// program's font and the calibration of the printer in use.
class WindowLabelInputs : public SavedLabelInputs
{
public:
    explicit WindowLabelInputs(AppContext& context);

    // Titles that cannot be read are empty: a label prints without them.
    LabelTitles titles() override;
    PrinterOffsetMm printerOffset() override;

private:
    AppContext& context_;
};

} // namespace hakobee
