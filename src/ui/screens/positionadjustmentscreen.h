#pragma once

#include "core/settings/printadjustmentsfile.h"
#include "ui/screen.h"

class QGridLayout;
class QLabel;
class QSlider;

namespace hakobee {

// Moves everything printed left or right and up or down, and makes every
// font smaller or larger, in whole steps from -20 to 20: SIZE1, SIZE2 and
// SIZE3 of nimbeconfig5.txt. Saving rewrites the whole file, so the 96 other
// columns are loaded and written back as they were.
class PositionAdjustmentScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form13";

    explicit PositionAdjustmentScreen(AppContext& context, QWidget* parent = nullptr);

    // Reads nimbeconfig5.txt. A stored adjustment that is not a whole number
    // from -20 to 20 is shown as the nearest one that is, and said so.
    // Returns false, having said why, when the file cannot be read; nothing
    // is written then.
    bool load() override;

private:
    // One slider with its value label and the value of the record it sets.
    struct Adjustment
    {
        explicit Adjustment(PrintAdjustmentField field) : saved(field) {}

        PrintAdjustmentField saved;
        QSlider* slider = nullptr;
        QLabel* shown = nullptr;
    };

    void buildControls();
    // The caption, slider and value label on `row` of the grid, the three
    // end labels under the slider on the row below. `names` are the object
    // names of caption, slider, value label and the three end labels;
    // `captions` the texts of caption and end labels.
    void addAdjustmentRows(QGridLayout* grid, int row, Adjustment& adjustment,
                           const QStringList& names, const QStringList& captions);
    void save(); // Command1

    Adjustment horizontal_{&PrintAdjustments::horizontalOffsetMm}; // Slider1, Label14
    Adjustment vertical_{&PrintAdjustments::verticalOffsetMm};     // Slider2, Label15
    Adjustment fontSize_{&PrintAdjustments::fontSizeChangePt};     // Slider3, Label16
    // What the save writes: the adjustments as the sliders set them, the
    // carried columns as loaded.
    PrintAdjustmentsRecord saved_;
};

} // namespace hakobee
