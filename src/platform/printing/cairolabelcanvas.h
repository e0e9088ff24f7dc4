#pragma once

#include "core/printer/printercanvas.h"
#include "platform/printing/cairofontfaces.h"

#include <QFont>
#include <QString>

#include <cups/raster.h>

#include <memory>
#include <optional>

class QPrinter;
class QTextLayout;

namespace hakobee {

class PrintJobOutput;

// Draws each job with cairo, in millimetres from the top-left corner of the
// printable area of a QPrinter's page, at the printer's resolution, and
// hands it to the output at endDocument(): as a PDF of its own, or, for a
// printer whose driver takes CUPS raster, as that raster, drawn here dot
// for dot so no other rasteriser moves an edge. Qt still sets the text
// (fonts, shaping, measuring, the glyphs' places) as it would on the
// printer, so labels keep their layout; in a PDF cairo embeds the fonts as
// subsets of the glyphs used, which spares each file the font work Qt's PDF
// writer repeats per document. An aborted job, or one left open when the
// canvas goes away or a drawing call throws out of the caller, leaves
// nothing behind: the job is built in memory and handed on only when it ends.
class CairoLabelCanvas : public PrinterCanvas
{
public:
    // The printer gives the page, the printable area, the resolution and the
    // colour mode; it is not painted on.
    CairoLabelCanvas(QPrinter& printer, PrintJobOutput& output);
    ~CairoLabelCanvas() override;
    CairoLabelCanvas(const CairoLabelCanvas&) = delete;
    CairoLabelCanvas& operator=(const CairoLabelCanvas&) = delete;

    // The title the next jobs carry in the printer's queue.
    void setJobTitle(const QString& title) { jobTitle_ = title; }
    // The raster the next jobs are drawn as, or a PDF when empty (the
    // start). The header's page must be the printer's page at its resolution.
    void setRasterFormat(std::optional<cups_page_header2_t> header)
    {
        rasterFormat_ = std::move(header);
    }
    bool drawsRaster() const { return rasterFormat_.has_value(); }
    // The printer's own name of the paper the next jobs ask for; empty: the
    // page size's key.
    void setPaperKey(const QString& key) { paperKey_ = key; }
    bool jobOpen() const { return job_ != nullptr; }
    // The font files the jobs so far took their glyphs from.
    QStringList fontFiles() const { return faces_.files(); }

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
    class PdfJob;
    class RasterJob;

    Job& job(); // the open job, started by the first drawing call
    QPointF toDots(QPointF mm) const;
    void setColour(const QColor& colour);
    void showGlyphs(const QTextLayout& layout, const QString& text, QPointF originDots);

    QPrinter& printer_;
    PrintJobOutput& output_;
    PrintFont font_;
    QFont qfont_;
    QString jobTitle_ = u"hakobee-label"_qs;
    std::optional<cups_page_header2_t> rasterFormat_;
    QString paperKey_;
    CairoFontFaces faces_;
    std::unique_ptr<Job> job_;
    int jobCopies_ = 1;
};

} // namespace hakobee
