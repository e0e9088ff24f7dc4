#include "platform/printing/cairolabelcanvas.h"

#include "core/error.h"
#include "platform/printing/cairopaintdevice.h"
#include "platform/printing/cupsrasterwriter.h"
#include "platform/printing/glyphtext.h"
#include "platform/printing/printertext.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/printjobspool.h"

#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace hakobee {

namespace {

constexpr double pointsPerInch = 72.0;
// The slant of an italic Qt makes from an upright face: a third of the
// height, as Qt's own PDF writer draws it.
constexpr double syntheticItalicSlant = 0.3;

struct SurfaceDestroy
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDestroy
{
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

cairo_status_t appendToByteArray(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<QByteArray*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// cairo marks every page a transparency group. The PostScript step of the
// CUPS filters (Ghostscript, language level 2) then rasterises the whole page,
// bars and text included; a label uses no transparency, so the mark is
// blanked out, byte for byte, which keeps the cross-reference offsets right.
void blankPageTransparencyGroups(QByteArray& pdf)
{
    static const QByteArray page = QByteArrayLiteral("<< /Type /Page ");
    static const QByteArray group = QByteArrayLiteral("/Group <<");
    static const QByteArray end = QByteArrayLiteral("endobj");
    for (qsizetype at = pdf.indexOf(page); at >= 0; at = pdf.indexOf(page, at + 1)) {
        const qsizetype objectEnd = pdf.indexOf(end, at);
        const qsizetype groupStart = pdf.indexOf(group, at);
        if (objectEnd < 0 || groupStart < 0 || groupStart > objectEnd)
            continue;
        const qsizetype groupEnd = pdf.indexOf(">>", groupStart + group.size());
        if (groupEnd < 0 || groupEnd > objectEnd)
            continue;
        std::fill(pdf.begin() + groupStart, pdf.begin() + groupEnd + 2, ' ');
    }
}

Error cairoFailure(cairo_status_t status)
{
    return Error(u"印刷データを作れませんでした。%1"_qs.arg(
        QString::fromUtf8(cairo_status_to_string(status))));
}

} // namespace

// One print job, built in memory page by page, drawn in the printer's dots
// from the top-left corner of the printable area.
class CairoLabelCanvas::Job
{
public:
    virtual ~Job() = default;
    cairo_t* context() { return context_.get(); }
    virtual void newPage() = 0;
    // The finished document of `copies` labels; throws hakobee::Error when
    // cairo failed on the way.
    virtual PrintJobOutput::Document finish(int copies) = 0;

protected:
    std::unique_ptr<cairo_t, ContextDestroy> context_;
};

// A PDF: the page in points, the printer's dots mapped onto it.
class CairoLabelCanvas::PdfJob : public CairoLabelCanvas::Job
{
public:
    PdfJob(const QPrinter& printer, const QString& title)
    {
        const QPageLayout layout = printer.pageLayout();
        const int dotsPerInch = printer.resolution();
        // The page and the printable area's corner as Qt's PDF writer has them.
        const QSizeF pageSizePt = layout.fullRectPoints().size();
        const QPoint printableCornerDots = layout.paintRectPixels(dotsPerInch).topLeft();
        pdf_.reserve(16 * 1024);
        surface_.reset(cairo_pdf_surface_create_for_stream(
            appendToByteArray, &pdf_, pageSizePt.width(), pageSizePt.height()));
        cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_TITLE,
                                       title.toUtf8().constData());
        cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_CREATOR, "hakobee");
        context_.reset(cairo_create(surface_.get()));
        if (const cairo_status_t status = cairo_status(context_.get()))
            throw cairoFailure(status);
        cairo_scale(context_.get(), pointsPerInch / dotsPerInch, pointsPerInch / dotsPerInch);
        cairo_translate(context_.get(), printableCornerDots.x(), printableCornerDots.y());
    }

    // The context goes before the surface it writes into, and that before the PDF.
    ~PdfJob() override { context_.reset(); }

    void newPage() override { cairo_show_page(context_.get()); }

    // A PDF leaves the copies to the spooler's job option.
    PrintJobOutput::Document finish(int) override
    {
        context_.reset();
        cairo_surface_finish(surface_.get());
        if (const cairo_status_t status = cairo_surface_status(surface_.get()))
            throw cairoFailure(status);
        blankPageTransparencyGroups(pdf_);
        return {pdf_, PrintJobOutput::pdfFormat};
    }

private:
    QByteArray pdf_; // declared first: the surface writes into it until it goes
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface_;
};

// The driver's own raster: each page drawn on white at the header's size in
// dots (the printable area), its ink taken from the lightness of each dot.
class CairoLabelCanvas::RasterJob : public CairoLabelCanvas::Job
{
public:
    explicit RasterJob(const cups_page_header2_t& header) : header_(header) { startPage(); }
    ~RasterJob() override { context_.reset(); }

    void newPage() override
    {
        endPage();
        startPage();
    }

    // The copies go in the raster's header as well: a raster driver makes
    // them from there (CUPS's label drivers have the printer repeat the
    // label), as no filter before it reads the job option.
    PrintJobOutput::Document finish(int copies) override
    {
        endPage();
        cups_page_header2_t header = header_;
        if (copies > 1)
            header.NumCopies = static_cast<unsigned>(copies);
        return {encodeCupsRaster(header, pages_), PrintJobOutput::cupsRasterFormat};
    }

private:
    void startPage()
    {
        surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24,
                                                  static_cast<int>(header_.cupsWidth),
                                                  static_cast<int>(header_.cupsHeight)));
        context_.reset(cairo_create(surface_.get()));
        if (const cairo_status_t status = cairo_status(context_.get()))
            throw cairoFailure(status);
        cairo_set_source_rgb(context_.get(), 1, 1, 1);
        cairo_paint(context_.get());
    }

    void endPage()
    {
        cairo_surface_flush(surface_.get());
        const int width = cairo_image_surface_get_width(surface_.get());
        const int height = cairo_image_surface_get_height(surface_.get());
        const int stride = cairo_image_surface_get_stride(surface_.get());
        const uchar* pixels = cairo_image_surface_get_data(surface_.get());
        QImage ink(width, height, QImage::Format_Alpha8);
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(pixels + y * stride);
            uchar* out = ink.scanLine(y);
            for (int x = 0; x < width; ++x)
                out[x] = static_cast<uchar>(255 - qGray(row[x]));
        }
        pages_.append(std::move(ink));
        context_.reset();
        surface_.reset();
    }

    cups_page_header2_t header_;
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface_;
    QList<QImage> pages_;
};

CairoLabelCanvas::CairoLabelCanvas(QPrinter& printer, PrintJobOutput& output)
    : printer_(printer), output_(output), qfont_(printerFont(font_))
{}

CairoLabelCanvas::~CairoLabelCanvas() = default;

void CairoLabelCanvas::setFont(const PrintFont& font)
{
    font_ = font;
    qfont_ = printerFont(font);
}

QSizeF CairoLabelCanvas::printableSizeMm() const
{
    return printer_.pageRect(QPrinter::Millimeter).size();
}

QSizeF CairoLabelCanvas::textSizeMm(const QString& text) const
{
    return printedTextSizeMm(qfont_, printer_, text);
}

void CairoLabelCanvas::drawText(QPointF topLeftMm, const QString& text)
{
    job();
    if (text.isEmpty())
        return;
    QTextLayout layout(text, qfont_, &printer_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    // Qt's painter puts the baseline one ascent of the font below the top,
    // whatever taller font a character may have fallen back to.
    const QPointF topLeftDots = toDots(topLeftMm);
    const double baselineDots = topLeftDots.y() + printedAscentDots(qfont_, printer_);
    showGlyphs(layout, text, QPointF(topLeftDots.x(), baselineDots - line.ascent()));
}

void CairoLabelCanvas::showGlyphs(const QTextLayout& layout, const QString& text,
                                  QPointF originDots)
{
    cairo_t* context = job().context();
    cairo_save(context);
    setColour(Qt::black);
    for (const GlyphRunText& runText : glyphRunsWithText(layout, text)) {
        const QRawFont font = runText.run.rawFont();
        const CairoFontFaces::Face face = faces_.faceFor(font);
        const double size = font.pixelSize();
        cairo_matrix_t fontMatrix;
        cairo_matrix_init(&fontMatrix, size, 0, face.slanted ? -syntheticItalicSlant * size : 0,
                          size, 0, 0);
        cairo_set_font_face(context, face.face);
        cairo_set_font_matrix(context, &fontMatrix);

        // One cluster per glyph, so each glyph carries its own characters.
        const QList<quint32> indexes = runText.run.glyphIndexes();
        const QList<QPointF> positions = runText.run.positions();
        std::vector<cairo_glyph_t> glyphs(static_cast<size_t>(indexes.size()));
        std::vector<cairo_text_cluster_t> clusters(glyphs.size());
        QByteArray utf8;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            const QPointF at = originDots + positions[static_cast<qsizetype>(i)];
            glyphs[i] = {indexes[static_cast<qsizetype>(i)], at.x(), at.y()};
            const QByteArray characters = runText.glyphTexts[static_cast<qsizetype>(i)].toUtf8();
            clusters[i] = {static_cast<int>(characters.size()), 1};
            utf8 += characters;
        }
        cairo_show_text_glyphs(context, utf8.constData(), static_cast<int>(utf8.size()),
                               glyphs.data(), static_cast<int>(glyphs.size()), clusters.data(),
                               static_cast<int>(clusters.size()), cairo_text_cluster_flags_t(0));
        if (face.emboldened) {
            // Qt's bold of an upright face: the glyphs again, half a line's
            // thickness to the left, standing for no text so that the words
            // are not read twice.
            for (cairo_glyph_t& glyph : glyphs)
                glyph.x -= font.lineThickness() / 2;
            const cairo_text_cluster_t none{0, static_cast<int>(glyphs.size())};
            cairo_show_text_glyphs(context, "", 0, glyphs.data(), static_cast<int>(glyphs.size()),
                                   &none, 1, cairo_text_cluster_flags_t(0));
        }
    }
    cairo_restore(context);
    if (const cairo_status_t status = cairo_status(context))
        throw cairoFailure(status);
}

void CairoLabelCanvas::drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour)
{
    cairo_t* context = job().context();
    cairo_save(context);
    setColour(colour);
    // Round ends, as the printer drivers draw wide lines.
    cairo_set_line_width(context, std::max(widthDots, 1));
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    const QPointF from = toDots(fromMm);
    const QPointF to = toDots(toMm);
    cairo_move_to(context, from.x(), from.y());
    cairo_line_to(context, to.x(), to.y());
    cairo_stroke(context);
    cairo_restore(context);
}

void CairoLabelCanvas::drawPicture(QPointF topLeftMm, const PrintPicture& picture)
{
    Job& current = job();
    const double dotsPerMm = printerDotsPerMm(printer_);
    // The picture's painter ends, and the context's state is put back, even
    // when the picture throws half-way.
    CairoPaintDevice device(current.context(),
                            printer_.pageLayout().paintRectPixels(printer_.resolution()).size(),
                            printer_.resolution(), printer_.colorMode() == QPrinter::GrayScale);
    QPainter painter(&device);
    picture.paint(painter, toDots(topLeftMm), dotsPerMm);
}

void CairoLabelCanvas::newPage()
{
    job().newPage();
}

void CairoLabelCanvas::endDocument()
{
    if (!job_)
        return;
    // The job is over whatever happens below.
    const std::unique_ptr<Job> job = std::move(job_);
    const int copies = std::exchange(jobCopies_, 1);
    PrintJobOutput::Job finished = printJob(printer_, job->finish(copies), jobTitle_, paperKey_);
    finished.copies = copies;
    output_.deliver(finished);
}

void CairoLabelCanvas::abortDocument()
{
    job_.reset();
    jobCopies_ = 1;
}

CairoLabelCanvas::Job& CairoLabelCanvas::job()
{
    if (!job_) {
        if (rasterFormat_)
            job_ = std::make_unique<RasterJob>(*rasterFormat_);
        else
            job_ = std::make_unique<PdfJob>(printer_, jobTitle_);
    }
    return *job_;
}

QPointF CairoLabelCanvas::toDots(QPointF mm) const
{
    return mm * printerDotsPerMm(printer_);
}

void CairoLabelCanvas::setColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    if (printer_.colorMode() == QPrinter::GrayScale) {
        const double level = qGray(rgb.rgb()) / 255.0;
        cairo_set_source_rgb(job().context(), level, level, level);
    } else {
        cairo_set_source_rgb(job().context(), rgb.redF(), rgb.greenF(), rgb.blueF());
    }
}

} // namespace hakobee
