#pragma once

#include "core/render/labelprogress.h"
#include "ui/screens/labelprogressscreen.h"

#include <QPointer>

namespace hakobee {

class ScreenHost;

// Shows the renderer's progress on frmprinting: the screen is loaded and
// shown at the start of every label and unloaded (destroyed) at its end, so
// each label starts with an empty bar.
class ProgressScreen : public LabelProgress
{
public:
    explicit ProgressScreen(ScreenHost& screens) : screens_(screens) {}
    ~ProgressScreen() override { closeLabelProgress(); }

    void showLabelProgress() override;
    void setProgressSquares(int squares) override;
    void closeLabelProgress() override;

    frmprinting* screen() const { return screen_.data(); }

private:
    ScreenHost& screens_;
    QPointer<frmprinting> screen_;
};

} // namespace hakobee
