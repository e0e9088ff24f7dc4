#include "platform/printing/qtprintercanvas.h"

#include "core/error.h"
#include "platform/printing/printjoboutput.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

namespace hakobee {

namespace {

constexpr double millimetresPerInch = 25.4;

QFont toQFont(const PrintFont& font)
{
    QFont qfont(font.family);
    qfont.setPointSizeF(font.pointSize > 0 ? font.pointSize : 1.0);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    return qfont;
}

// A unique, empty file in the spool folder; removed on destruction unless
// it was moved away.
class SpoolFile
{
public:
    explicit SpoolFile(const QString& folder)
    {
        QTemporaryFile file(QDir(folder).filePath(QStringLiteral(".label-XXXXXX.spool")));
        file.setAutoRemove(false);
        if (!file.open())
            throw Error(QStringLiteral("印刷用の一時ファイルをフォルダ「%1」に作れません。")
                            .arg(QDir::toNativeSeparators(folder)));
        path_ = file.fileName();
    }
    ~SpoolFile() { QFile::remove(path_); }
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    const QString& path() const { return path_; }

private:
    QString path_;
};

} // namespace

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
            throw Error(QStringLiteral("プリンタ「%1」で印刷を始められません。")
                            .arg(printer.printerName()));
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
            throw Error(QStringLiteral("印刷データを作れませんでした。"));
    }

private:
    SpoolFile spool_; // declared first: the painter ends before the file goes
    QPainter painter_;
};

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer, PrintJobOutput& output)
    : printer_(printer), output_(output), qfont_(toQFont(font_))
{}

QtPrinterCanvas::~QtPrinterCanvas() = default;

void QtPrinterCanvas::setFont(const PrintFont& font)
{
    font_ = font;
    qfont_ = toQFont(font);
    if (job_)
        job_->painter().setFont(qfont_);
}

QSizeF QtPrinterCanvas::printableSizeMm() const
{
    return printer_.pageRect(QPrinter::Millimeter).size();
}

QSizeF QtPrinterCanvas::textSizeMm(const QString& text) const
{
    // Measured at the printer's resolution, as the text will be drawn.
    const QFontMetricsF metrics(qfont_, &printer_);
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()) / dotsPerMm();
}

void QtPrinterCanvas::drawText(QPointF topLeftMm, const QString& text)
{
    QPainter& painter = job().painter();
    const QFontMetricsF metrics(qfont_, &printer_);
    painter.drawText(toDots(topLeftMm) + QPointF(0, metrics.ascent()), text);
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
        throw Error(
            QStringLiteral("プリンタ「%1」で改ページできません。").arg(printer_.printerName()));
    }
}

void QtPrinterCanvas::endDocument()
{
    if (!job_)
        return;
    // The job is over whatever happens below; its spool file goes with it.
    const std::unique_ptr<Job> job = std::move(job_);
    job->finish();

    PrintJobOutput::Job delivery;
    delivery.spoolFile = job->spoolFile();
    delivery.title = jobTitle_;
    const QPageLayout layout = printer_.pageLayout();
    delivery.paperKey = layout.pageSize().key();
    delivery.landscape = layout.orientation() == QPageLayout::Landscape;
    delivery.duplexLongEdge = printer_.duplex() == QPrinter::DuplexLongSide ||
                              (printer_.duplex() == QPrinter::DuplexAuto && !delivery.landscape);
    delivery.duplexShortEdge = printer_.duplex() == QPrinter::DuplexShortSide ||
                               (printer_.duplex() == QPrinter::DuplexAuto && delivery.landscape);
    output_.deliver(delivery);
}

void QtPrinterCanvas::abortDocument()
{
    job_.reset();
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
    return printer_.resolution() / millimetresPerInch;
}

QPointF QtPrinterCanvas::toDots(QPointF mm) const
{
    return mm * dotsPerMm();
}

} // namespace hakobee
