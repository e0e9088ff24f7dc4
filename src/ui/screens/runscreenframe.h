#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QVBoxLayout;
class QWidget;

namespace hakobee {

class MessageBoxes;
class RecordGridView;
struct RunResult;
class Screen;
class SettingsFolder;

// What the continuous and the partial run screen share around their grid.

// The red status line (Label1) the runs write their state into.
QLabel* makeRunStatusLine(QWidget* screen);

// Lays the screen out: the menu with its one item "終了" (closes the
// screen), the status line, the printer the labels go to
// (makePrinterInUseLabel), and the grid with the side panel beside it.
void arrangeRunScreen(Screen* screen, QLabel* status, QLabel* printerInUse, RecordGridView* grid,
                      QVBoxLayout* side);

// Reads the data source (nimbeconfig2.txt) into the working fields Textdb,
// TextTT and TextSS and returns the record query built from them. Throws
// hakobee::Error when the file cannot be read.
QString loadDataSourceFields(const SettingsFolder& settings, QLineEdit* databasePath,
                             QLineEdit* table, QLineEdit* selectText);

// After a run that stopped without a message of its own (the allowance used
// up, a cancel): tells which of its labels were printed without a barcode,
// when there were any.
void showLabelsWithoutBarcode(MessageBoxes& messages, QWidget* owner, const RunResult& result);

} // namespace hakobee
