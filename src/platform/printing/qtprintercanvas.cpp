#include "platform/printing/qtprintercanvas.h"

#include "core/error.h"
#include "platform/printing/printertext.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/printjobspool.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include <utility>

namespace hakobee {

// One print job: the painter on the printer and the spool file it writes.
// Destroying it ends the painter and removes the file, which discards the job.
class QtPrinterCanvas::Job
{
public:
    Job(QPrinter& printer, const QString& spoolFolder, const QString& title) : spool_(spoolFolder)
    {
        printer.setDocName(title);
        printer.setOutputFileName(spool_.path());
        if (!painter_.begin(&printer))
            throw Error(u"プリンタ「%1」で印刷を始められません。"_qs.arg(printer.printerName()));
    }
    ~Job()
    {
        if (painter_.isActive())
            painter_.end();
    }

    QPainter& painter() { return painter_; }
    const QString& spoolFile() const { return spool_.path(); }

    // Finishes the file; throws hakobee::Error when it could not be written.
    void finish()
    {
        if (!painter_.end() || QFile(spool_.path()).size() == 0)
            throw Error(u"印刷データを作れませんでした。"_qs);
    }

private:
    SpoolFile spool_; // declared first: the painter ends before the file goes
    QPainter painter_;
};

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer, PrintJobOutput& output)
    : printer_(printer), output_(output), qfont_(printerFont(font_))
{}

QtPrinterCanvas::~QtPrinterCanvas() = default;

void QtPrinterCanvas::setFont(const PrintFont& font)
{
    font_ = font;
    qfont_ = printerFont(font);
    if (job_)
        job_->painter().setFont(qfont_);
}

QSizeF QtPrinterCanvas::printableSizeMm() const
{
    return printer_.pageRect(QPrinter::Millimeter).size();
}

QSizeF QtPrinterCanvas::textSizeMm(const QString& text) const
{
    return printedTextSizeMm(qfont_, printer_, text);
}

void QtPrinterCanvas::drawText(QPointF topLeftMm, const QString& text)
{
    QPainter& painter = job().painter();
    painter.drawText(toDots(topLeftMm) + QPointF(0, printedAscentDots(qfont_, printer_)), text);
}

void QtPrinterCanvas::drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour)
{
    QPainter& painter = job().painter();
    // Round ends, as the printer drivers draw wide lines.
    painter.setPen(QPen(colour, std::max(widthDots, 1), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(toDots(fromMm), toDots(toMm));
}

void QtPrinterCanvas::drawPicture(QPointF topLeftMm, const PrintPicture& picture)
{
    // The picture may change pen, brush or transform, or throw half-way:
    // the painter's state is put back either way.
    struct SavedState
    {
        explicit SavedState(QPainter& painter) : painter(painter) { painter.save(); }
        ~SavedState() { painter.restore(); }
        QPainter& painter;
    } saved(job().painter());
    picture.paint(saved.painter, toDots(topLeftMm), dotsPerMm());
}

void QtPrinterCanvas::newPage()
{
    job();
    if (!printer_.newPage()) {
        job_.reset(); // a job that cannot go on is discarded
        throw Error(u"プリンタ「%1」で改ページできません。"_qs.arg(printer_.printerName()));
    }
}

void QtPrinterCanvas::endDocument()
{
    if (!job_)
        return;
    // The job is over whatever happens below; its spool file goes with it.
    const std::unique_ptr<Job> job = std::move(job_);
    const int copies = std::exchange(jobCopies_, 1);
    job->finish();

    QFile written(job->spoolFile());
    if (!written.open(QIODevice::ReadOnly))
        throw Error(u"印刷データを作れませんでした。"_qs);
    PrintJobOutput::Job finished =
        printJob(printer_, {written.readAll(), PrintJobOutput::pdfFormat}, jobTitle_);
    finished.copies = copies;
    output_.deliver(finished);
}

void QtPrinterCanvas::abortDocument()
{
    job_.reset();
    jobCopies_ = 1;
}

QtPrinterCanvas::Job& QtPrinterCanvas::job()
{
    if (!job_) {
        job_ = std::make_unique<Job>(printer_, output_.spoolFolder(), jobTitle_);
        job_->painter().setFont(qfont_);
    }
    return *job_;
}

double QtPrinterCanvas::dotsPerMm() const
{
    return printerDotsPerMm(printer_);
}

QPointF QtPrinterCanvas::toDots(QPointF mm) const
{
    return mm * dotsPerMm();
}

} // namespace hakobee
