#include "core/render/labelrenderer.h"

#include "core/error.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelnumbers.h"
#include "core/render/labelprogress.h"

#include <algorithm>
#include <cmath>

namespace hakobee {

namespace {

// A line height below half a millimetre would round to 0 and divide by zero
// in the lines per page.
constexpr int smallestLineHeightMm = 1;

const QString lineBreak = u"\r\n"_qs;

// Closes the progress screen however the label ends.
class ProgressShown
{
public:
    explicit ProgressShown(LabelProgress& progress) : progress_(progress)
    {
        progress_.showLabelProgress();
    }
    ~ProgressShown() { progress_.closeLabelProgress(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    LabelProgress& progress_;
};

// Withdraws a copies request from the canvas however the label ends, so the
// next job does not inherit it.
class CopiesRequested
{
public:
    CopiesRequested(PrinterCanvas& canvas, int copies) : canvas_(canvas), copies_(copies)
    {
        madeByCanvas_ = copies_ == 1 || canvas_.setJobCopies(copies_);
    }
    ~CopiesRequested()
    {
        if (copies_ == 1 || !madeByCanvas_)
            return;
        try {
            canvas_.setJobCopies(1);
        } catch (...) {
            // Withdrawing a request the job has already dropped never fails usefully.
        }
    }
    CopiesRequested(const CopiesRequested&) = delete;
    CopiesRequested& operator=(const CopiesRequested&) = delete;

    // How many times the label is drawn in the job: once where the canvas
    // makes the copies.
    int drawings() const { return madeByCanvas_ ? 1 : copies_; }

private:
    PrinterCanvas& canvas_;
    int copies_;
    bool madeByCanvas_ = false;
};

} // namespace

LabelRenderer::LabelRenderer(PrinterCanvas& canvas, LabelProgress& progress, CancelRequest& cancel)
    : canvas_(canvas), progress_(progress), cancel_(cancel)
{}

void LabelRenderer::printLabel(const LabelRecord& record, int copies)
{
    Q_ASSERT(copies >= 1);
    copies = std::max(copies, 1);
    ProgressShown shown(progress_);
    cancel_.reset();

    // Every number is read before the first drawing call, so an unusable
    // value fails the label without a job to clean up.
    xMm_ = parseHorizontalOffsetMm(record.offsetXMm);
    yMm_ = parseVerticalOffsetMm(record.offsetYMm);
    sizeAdjustmentPt_ = parseFontAdjustmentPt(record.fontAdjustmentPt);
    price_ = parseLabelNumber(record.price, u"価格"_qs);
    record_ = &record;
    jobOpen_ = false;

    try {
        prepareLabelPrinter();
        const CopiesRequested requested(canvas_, copies);
        const int drawings = requested.drawings();
        for (int drawing = 1; drawing <= drawings; ++drawing) {
            if (copies > 1)
                progress_.showLabelCopy(drawings == 1 ? copies : drawing, copies);
            if (drawing > 1)
                canvas_.newPage();
            pageNumber_ = 1;
            drawLabelHeader();
            drawLabelBody(drawing == drawings);
            // A cancel aborted the job and every copy in it.
            if (!jobOpen_ && drawing < drawings)
                break;
        }
        // Sends a header-only page when the body drew nothing; a drawn label
        // has been ended by the body and a cancelled one aborted.
        endJob();
    } catch (...) {
        // A label that fails half-way must not reach the printer, nor leave
        // its job open under the next label.
        try {
            abortJob();
        } catch (const Error&) {
            // The first failure is the one to report.
        }
        record_ = nullptr;
        throw;
    }
    record_ = nullptr;
}

void LabelRenderer::prepareLabelPrinter()
{
    canvas_.setFont(record_->baseFont);
    lineHeightMm_ =
        std::max(smallestLineHeightMm, roundHalfToEven(canvas_.textSizeMm(u"5"_qs).height()));
    const QSizeF printable = canvas_.printableSizeMm();
    linesPerPage_ = static_cast<int>(std::floor(printable.height() / lineHeightMm_));
    rightLimitMm_ = roundHalfToEven(printable.width() - 10);
}

void LabelRenderer::drawLabelHeader()
{
    setFont(8, true, true);
    currentMm_ = {xMm_ + 9, yMm_ + lineHeightMm_ / 20.0};
    printText(record_->title1);
    // The line runs on past the right edge of the printable area.
    const double lineYMm = yMm_ + lineHeightMm_;
    constexpr int headerLineWidthDots = 3;
    canvas_.drawLine({xMm_, lineYMm}, {xMm_ + 1.5 * rightLimitMm_, lineYMm}, headerLineWidthDots,
                     Qt::black);
    jobOpen_ = true;
    currentMm_ = {xMm_ + 1.5 * rightLimitMm_, lineYMm};
    setFont(8, false, false);
}

void LabelRenderer::drawLabelBody(bool endsJob)
{
    QString remaining = record_->barcodeValue;
    const qsizetype initialLength = remaining.size();
    currentMm_.setY(yMm_ + lineHeightMm_);

    while (!remaining.isEmpty()) {
        // The one point where the operator's cancel click can be handled.
        progress_.yieldToEvents();
        if (cancel_.isRequested()) {
            abortJob();
            return;
        }
        if (currentMm_.y() > (linesPerPage_ - 4) * lineHeightMm_) {
            canvas_.newPage();
            ++pageNumber_;
            currentMm_.setY(yMm_ + 4 * lineHeightMm_);
        }

        // Scan for the first line break or the first character that would
        // run past the right limit, whichever comes first.
        qsizetype position = 1;
        for (; position <= remaining.size(); ++position) {
            if (remaining.mid(position - 1, lineBreak.size()) == lineBreak) {
                currentMm_.setX(xMm_ + 10);
                setFont(8, false, false);
                printText(remaining.left(position - 1));
                remaining.remove(0, position - 1 + lineBreak.size());
                break;
            }
            if (canvas_.textSizeMm(remaining.left(position)).width() + 10 > rightLimitMm_) {
                currentMm_.setX(xMm_ + 5);
                setFont(8, false, false);
                // Skip the part that fits. At least one character goes, or
                // a character wider than the page would hold the loop forever.
                remaining.remove(0, std::max<qsizetype>(position - 1, 1));
                break;
            }
        }
        if (position > remaining.size()) {
            // The last piece: the label itself. The piece is not printed.
            drawLabelElements();
            if (endsJob)
                endJob();
            remaining.clear();
        }

        const double drawnFraction =
            static_cast<double>(initialLength - remaining.size()) / initialLength;
        progress_.setProgressSquares(
            static_cast<int>(std::floor(drawnFraction * LabelProgress::maximumSquares)));
    }
}

void LabelRenderer::drawLabelElements()
{
    if (!record_->barcodePicture) {
        throw Error(u"バーコード「%1」の画像がないため、ラベルを印刷できません。"_qs.arg(
            record_->barcodeValue));
    }
    setFont(7, true, false);
    currentMm_ = {xMm_ + 3, yMm_ + 4};
    printText(record_->itemName);

    setFont(8, false, false);
    currentMm_ = {xMm_ + 3, yMm_ + 6.5};
    printText(record_->name);

    setFont(11, true, true);
    currentMm_ = {xMm_ + 13, yMm_ + 9.7};
    printText(formatPrice(price_));

    setFont(6.5, true, true);
    currentMm_ = {xMm_ + 1, yMm_ + 11};
    printText(record_->title2);

    canvas_.drawPicture({xMm_ + 4, yMm_ + 14}, *record_->barcodePicture);

    setFont(8, true, false);
    currentMm_ = {xMm_ + 6, yMm_ + 21};
    printText(record_->barcodeCaption);
}

void LabelRenderer::setFont(double sizeAdjustedPt, bool bold, bool italic)
{
    PrintFont font = record_->baseFont;
    font.pointSize = sizeAdjustmentPt_ + sizeAdjustedPt;
    font.bold = bold;
    font.italic = italic;
    canvas_.setFont(font);
}

void LabelRenderer::printText(const QString& text)
{
    canvas_.drawText(currentMm_, text);
    jobOpen_ = true;
    currentMm_ = {0, currentMm_.y() + canvas_.textSizeMm(text).height()};
}

void LabelRenderer::endJob()
{
    if (!jobOpen_)
        return;
    jobOpen_ = false;
    canvas_.endDocument();
}

void LabelRenderer::abortJob()
{
    if (!jobOpen_)
        return;
    jobOpen_ = false;
    canvas_.abortDocument();
}

} // namespace hakobee
