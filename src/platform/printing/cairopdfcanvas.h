#pragma once

#include "core/printer/printercanvas.h"
#include "platform/printing/cairofontfaces.h"

#include <QFont>
#include <QString>

#include <memory>

class QPrinter;
class QTextLayout;

namespace hakobee {

class PrintJobOutput;

// Draws each job as a PDF of its own with cairo, in millimetres from the
// top-left corner of the printable area of a QPrinter's page, and hands it
// to the output at endDocument(). Qt still sets the text (fonts, shaping,
// measuring, the glyphs' places) as it would on the printer, so labels
// keep their layout; cairo embeds the fonts as subsets of the glyphs used,
// which spares each file the font work Qt's PDF writer repeats per document.
// An aborted job, or one left open when the canvas goes away or a drawing
// call throws out of the caller, leaves nothing behind: the PDF is built in
// memory and reaches the spool folder only when the job ends.
class CairoPdfCanvas : public PrinterCanvas
{
public:
    // The printer gives the page, the printable area, the resolution and the
    // colour mode; it is not painted on.
    CairoPdfCanvas(QPrinter& printer, PrintJobOutput& output);
    ~CairoPdfCanvas() override;
    CairoPdfCanvas(const CairoPdfCanvas&) = delete;
    CairoPdfCanvas& operator=(const CairoPdfCanvas&) = delete;

    // The title the next jobs carry in the printer's queue.
    void setJobTitle(const QString& title) { jobTitle_ = title; }
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

private:
    class Job;

    Job& job(); // the open job, started by the first drawing call
    QPointF toDots(QPointF mm) const;
    void setColour(const QColor& colour);
    void showGlyphs(const QTextLayout& layout, const QString& text, QPointF originDots);

    QPrinter& printer_;
    PrintJobOutput& output_;
    PrintFont font_;
    QFont qfont_;
    QString jobTitle_ = QStringLiteral("hakobee-label");
    CairoFontFaces faces_;
    std::unique_ptr<Job> job_;
};

} // namespace hakobee
