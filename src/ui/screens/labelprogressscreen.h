#pragma once

#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace hakobee {

// The progress screen shown while one label is drawn: a fixed message, a
// bar of 0 to 25 squares and the cancel button; for a record of several
// labels, which of them is drawn ("（2/5枚目）"). Cancel raises the
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
    // "（copy/copies枚目）" below the message, painted at once.
    void showLabelCopy(int copy, int copies);

private:
    void cancelClicked(); // comcancel1

    QLineEdit* squares_ = nullptr; // txtprogress
    QLabel* copy_ = nullptr;       // LabelCopies: empty for a record of one label
};

} // namespace hakobee
