#pragma once

#include "core/barcode/barcodecalls.h"
#include "core/render/labelrenderer.h"

#include <QString>

#include <memory>

namespace hakobee {

class BarcodeEncoder;
class CancelRequest;
class LabelProgress;
class PrinterCanvas;
struct LabelRecord;

// The whole way of one label from a record's barcode value to a print job:
// the barcode encoder, the picture slot that stands in for the clipboard,
// the two barcode calls over them, and the renderer on a printer canvas.
// The run screens, the batch print command, the benchmarks and the tests all
// print through one of these rather than wiring the parts by hand.
//
// The canvas (normally the ActivePrinter's), the progress shown while a
// label is drawn and the process-wide cancel request belong to the caller
// and must outlive the pipeline.
class LabelPipeline
{
public:
    LabelPipeline(std::unique_ptr<BarcodeEncoder> encoder, PrinterCanvas& canvas,
                  LabelProgress& progress, CancelRequest& cancel);
    ~LabelPipeline();
    LabelPipeline(const LabelPipeline&) = delete;
    LabelPipeline& operator=(const LabelPipeline&) = delete;

    const BarcodeEncoder& encoder() const { return *encoder_; }
    // BarcodeDisplay2 and BarcodeCopy; BarcodeCopy leaves its picture in the slot.
    BarcodeCalls& barcodeCalls() { return calls_; }
    CancelRequest& cancel() { return cancel_; }

    // The barcode picture of a record's barcode value, the value read once
    // as a JAN code (makeRecordBarcode). Throws hakobee::Error naming the
    // value when it names no valid code; none for an empty value.
    std::shared_ptr<const BarcodePicture> recordBarcode(const QString& barcodeValue);

    // Draws the gathered record as one print job (PrintOneLabel with its
    // inputs gathered) of `copies` labels. Throws hakobee::Error when the
    // label cannot be printed.
    void printLabel(const LabelRecord& record, int copies = 1);

    // The renderer's figures of the last prepared label.
    const LabelRenderer& renderer() const { return renderer_; }

private:
    std::unique_ptr<BarcodeEncoder> encoder_;
    PictureSlot slot_;
    BarcodeCalls calls_;
    CancelRequest& cancel_;
    LabelRenderer renderer_;
};

} // namespace hakobee
