#pragma once

#include "core/render/labelprogress.h"
#include "ui/screens/labelprogressscreen.h"

#include <QPointer>

namespace hakobee {

class ScreenHost;

// Shows the renderer's progress on the label progress screen (frmprinting): the screen is loaded
// and shown at the start of every label and unloaded (destroyed) at its end, so each label starts
// with an empty bar.
class ScreenLabelProgress : public LabelProgress
{
public:
    explicit ScreenLabelProgress(ScreenHost& screens) : screens_(screens) {}
    ~ScreenLabelProgress() override { closeLabelProgress(); }

    void showLabelProgress() override;
    void setProgressSquares(int squares) override;
    void showLabelCopy(int copy, int copies) override;
    void closeLabelProgress() override;
    // Lets the cancel click (and repaints) be handled while a label is drawn.
    void yieldToEvents() override;

    LabelProgressScreen* screen() const { return screen_.data(); }

private:
    ScreenHost& screens_;
    QPointer<LabelProgressScreen> screen_;
};

} // namespace hakobee
