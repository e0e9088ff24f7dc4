#pragma once

#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace hakobee {

// The progress screen shown while one label is drawn: a fixed message, a
// bar of 0 to 25 squares and the cancel button. Cancel raises the
// process-wide cancel request: the renderer aborts the label and the run
// stops before its next record.
class LabelProgressScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "frmprinting";

    explicit LabelProgressScreen(AppContext& context, QWidget* parent = nullptr);

    bool load() override;

    // Shows this many squares (clamped to 0..25) and paints at once.
    void setProgressSquares(int squares);

private:
    void cancelClicked(); // comcancel1

    QLineEdit* squares_ = nullptr; // txtprogress
};

} // namespace hakobee
