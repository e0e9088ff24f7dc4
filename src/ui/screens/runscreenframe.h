#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QString>

class QLabel;
class QLayout;
class QPushButton;
class QSpinBox;
class QVBoxLayout;
class QWidget;

namespace hakobee {

struct AppContext;
class LabelInputs;
class LabelPreview;
class MessageBoxes;
class RecordGridView;
class RunActivity;
struct RunResult;
class Screen;

// What the continuous and the partial run screen share around their grid.

// The red status line (Label1) the runs write their state into.
QLabel* makeRunStatusLine(QWidget* screen);

// Lays the screen out: the menu with its one item "終了" (closes the
// screen), the status line, the printer the labels go to
// (makePrinterInUseLabel), and the grid with the side panel beside it.
void arrangeRunScreen(Screen* screen, QLabel* status, QLabel* printerInUse, RecordGridView* grid,
                      QVBoxLayout* side);

// The field of the labels each record prints (TextCopies, 1 to 999, 1 as
// the screen opens) where the query gives no number of its own, and the
// row that shows it with its caption "枚数". Kept by the screen alone.
QSpinBox* makeLabelsPerRecordField(QWidget* screen);
QLayout* labelsPerRecordRow(QWidget* screen, QSpinBox* field);

// Keeps a start button disabled while any run prints.
void followRunActivity(QPushButton* startButton, RunActivity& activity);

// Shows a query row's label as a run would print it now: with the print
// adjustments as saved and the titles and font in force; why not, when the
// adjustments cannot be read.
void previewRow(LabelPreview& preview, AppContext& context, LabelInputs& inputs,
                const QList<FieldValue>& row);

// After a run that stopped without a message of its own (the allowance used
// up, a cancel): tells which of its labels were printed without a barcode,
// when there were any.
void showLabelsWithoutBarcode(MessageBoxes& messages, QWidget* owner, const RunResult& result);

} // namespace hakobee
