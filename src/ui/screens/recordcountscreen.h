#pragma once

#include "ui/screen.h"

class QLabel;
class QPushButton;

namespace hakobee {

// The record count check: opens the configured data source while loading and
// shows the settings used and how many records the record query returns. A
// data source that cannot be counted leaves no screen behind.
class RecordCountScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form6";

    explicit RecordCountScreen(AppContext& context, QWidget* parent = nullptr);

    bool load() override;

private:
    void countRecords();

    QLabel* Label3 = nullptr;
    QLabel* Labeldb = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Labeltb = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Labelsql = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace hakobee
