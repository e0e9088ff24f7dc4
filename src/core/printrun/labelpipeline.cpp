#include "core/printrun/labelpipeline.h"

#include "core/barcode/barcodeencoder.h"
#include "core/barcode/recordbarcode.h"

namespace hakobee {

LabelPipeline::LabelPipeline(std::unique_ptr<BarcodeEncoder> encoder, PrinterCanvas& canvas,
                             LabelProgress& progress, CancelRequest& cancel)
    : encoder_(std::move(encoder)), calls_(*encoder_, slot_), cancel_(cancel),
      renderer_(canvas, progress, cancel)
{}

LabelPipeline::~LabelPipeline() = default;

std::shared_ptr<const BarcodePicture> LabelPipeline::recordBarcode(const QString& barcodeValue)
{
    return makeRecordBarcode(*encoder_, barcodeValue);
}

void LabelPipeline::printLabel(const LabelRecord& record, int copies)
{
    renderer_.printLabel(record, copies);
}

} // namespace hakobee
