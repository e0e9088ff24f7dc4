#pragma once

#include "ui/screen.h"

class QLabel;
class QPushButton;

namespace hakobee {

// The picture of a sample data file, opened from the data source settings
// screen's sample button.
class SampleDataScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form12";

    explicit SampleDataScreen(AppContext& context, QWidget* parent = nullptr);
};

} // namespace hakobee
