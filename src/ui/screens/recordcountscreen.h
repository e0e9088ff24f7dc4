#pragma once

#include "ui/screen.h"

class QLabel;

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

    QLabel* databaseValue_ = nullptr; // Labeldb
    QLabel* tableValue_ = nullptr;    // Labeltb
    QLabel* selectValue_ = nullptr;   // Labelsql
    QLabel* countValue_ = nullptr;    // Label1
};

} // namespace hakobee
