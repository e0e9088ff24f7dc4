#pragma once

#include "core/printer/printercanvas.h"
#include "core/render/labelrecord.h"

#include <QPointF>
#include <QString>

namespace hakobee {

class CancelRequest;
class LabelProgress;

// Draws one record as one label print job. All positions are millimetres on
// the printable area, each the operator's offset (X, Y) plus a fixed
// distance; all font sizes are the operator's adjustment (S) plus a fixed
// size, so the three adjustments move and scale the whole label.
//
// A label is one job: it is ended when drawn, aborted when cancelled, and
// aborted as well when drawing fails half-way, so the next label always
// starts a clean job. Several labels of one record are one job too: copies
// of one drawing where the canvas makes them, else one page per label. The numeric inputs are read
// before anything is drawn: a label with a non-numeric X, Y, S or price fails without starting a
// job.
class LabelRenderer
{
public:
    LabelRenderer(PrinterCanvas& canvas, LabelProgress& progress, CancelRequest& cancel);

    // PrintOneLabel with its inputs gathered: progress shown, printer
    // prepared, header, body, job ended or aborted, progress closed; with
    // `copies` (1 or more) labels of the record in the job. A cancel aborts
    // the whole job. Throws hakobee::Error when an input is unusable or the
    // printer fails.
    void printLabel(const LabelRecord& record, int copies = 1);

    // Figures of the last prepared label.
    int lineHeightMm() const { return lineHeightMm_; }
    int linesPerPage() const { return linesPerPage_; }
    int rightLimitMm() const { return rightLimitMm_; }
    int pageNumber() const { return pageNumber_; }

private:
    void prepareLabelPrinter();
    void drawLabelHeader();
    // Ends the job after the label's elements when `endsJob`; otherwise
    // leaves it open for the next copy.
    void drawLabelBody(bool endsJob);
    void drawLabelElements();

    void setFont(double sizeAdjustedPt, bool bold, bool italic);
    // Prints at the current position and moves it to the start of the next line.
    void printText(const QString& text);
    void endJob();
    void abortJob();

    PrinterCanvas& canvas_;
    LabelProgress& progress_;
    CancelRequest& cancel_;

    // The label being drawn.
    const LabelRecord* record_ = nullptr;
    double xMm_ = 0;
    double yMm_ = 0;
    double sizeAdjustmentPt_ = 0;
    double price_ = 0;
    bool jobOpen_ = false;
    QPointF currentMm_;

    int pageNumber_ = 1;
    int lineHeightMm_ = 1;
    int linesPerPage_ = 0;
    int rightLimitMm_ = 0;
};

} // namespace hakobee
