#pragma once

#include "core/printer/printercanvas.h"

#include <QFont>
#include <QString>

#include <memory>

class QPrinter;

namespace hakobee {

class PrintJobOutput;

// Draws on a QPrinter in millimetres from the top-left corner of the
// printable area. Each job is painted into a spool file (a PDF) and handed
// to the output only at endDocument(); an aborted job, or one left open when
// the canvas goes away or a drawing call throws out of the caller, is thrown
// away with its file, so nothing of it reaches the printer or the folder.
class QtPrinterCanvas : public PrinterCanvas
{
public:
    QtPrinterCanvas(QPrinter& printer, PrintJobOutput& output);
    ~QtPrinterCanvas() override;
    QtPrinterCanvas(const QtPrinterCanvas&) = delete;
    QtPrinterCanvas& operator=(const QtPrinterCanvas&) = delete;

    // The title the next jobs carry in the printer's queue.
    void setJobTitle(const QString& title) { jobTitle_ = title; }
    bool jobOpen() const { return job_ != nullptr; }

    void setFont(const PrintFont& font) override;
    PrintFont font() const override { return font_; }

    QSizeF printableSizeMm() const override;
    QSizeF textSizeMm(const QString& text) const override;

    void drawText(QPointF topLeftMm, const QString& text) override;
    void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) override;
    void drawPicture(QPointF topLeftMm, const PrintPicture& picture) override;

    void newPage() override;
    void endDocument() override;
    void abortDocument() override;
    // The output makes the copies (the spooler, or one file each).
    bool setJobCopies(int copies) override
    {
        jobCopies_ = copies;
        return true;
    }

private:
    class Job;

    Job& job(); // the open job, started by the first drawing call
    double dotsPerMm() const;
    QPointF toDots(QPointF mm) const;

    QPrinter& printer_;
    PrintJobOutput& output_;
    PrintFont font_;
    QFont qfont_;
    QString jobTitle_ = u"hakobee-label"_qs;
    std::unique_ptr<Job> job_;
    int jobCopies_ = 1;
};

} // namespace hakobee
