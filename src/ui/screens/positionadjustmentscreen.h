#pragma once

#include "ui/screen.h"

#include <QList>

class QGridLayout;
class QLabel;
class QLineEdit;
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
    // One slider with its value label and the hidden field that is saved.
    struct Adjustment
    {
        QSlider* slider = nullptr;
        QLabel* shown = nullptr;
        QLineEdit* saved = nullptr;
    };

    void buildControls();
    // The caption, slider and value label on `row` of the grid, the three
    // end labels under the slider on the row below. `names` are the object
    // names of caption, slider, value label and the three end labels;
    // `captions` the texts of caption and end labels.
    void addAdjustmentRows(QGridLayout* grid, int row, Adjustment& adjustment,
                           const QStringList& names, const QStringList& captions);
    void save(); // Command1

    Adjustment horizontal_; // Slider1, Label14, Textsize1
    Adjustment vertical_;   // Slider2, Label15, Textsize2
    Adjustment fontSize_;   // Slider3, Label16, Textsize3
    // The 99 columns of the file in file order: the kept ones (Textdb1,
    // Textdb2, Text1 ... Text94) and, in their places, the three above.
    QList<QLineEdit*> columnFields_;
};

} // namespace hakobee
