#pragma once

#include "platform/error.h"
#include "printer/printercanvas.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <memory>

namespace hakobee::test {

// One print job written straight to a PDF file with QPdfWriter, for checking
// printed output without a printer: the page is the label.
class PdfWriterCanvas : public PrinterCanvas
{
public:
    PdfWriterCanvas(const QString& path, QSizeF pageMm, int dotsPerInch = 1200)
        : path_(path), writer_(path), pageMm_(pageMm)
    {
        writer_.setPageSize(QPageSize(pageMm, QPageSize::Millimeter));
        writer_.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer_.setResolution(dotsPerInch);
    }

    double dotsPerMm() const { return writer_.resolution() / 25.4; }

    void setFont(const PrintFont& font) override { font_ = font; }
    PrintFont font() const override { return font_; }
    QSizeF printableSizeMm() const override { return pageMm_; }
    QSizeF textSizeMm(const QString& text) const override
    {
        const QFontMetricsF metrics(qfont(), const_cast<QPdfWriter*>(&writer_));
        return {metrics.horizontalAdvance(text) / dotsPerMm(), metrics.height() / dotsPerMm()};
    }

    void drawText(QPointF topLeftMm, const QString& text) override
    {
        QPainter& painter = begun();
        painter.setFont(qfont());
        painter.setPen(Qt::black);
        painter.drawText(QRectF(topLeftMm * dotsPerMm(), QSizeF(1e6, 1e6)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    }
    void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) override
    {
        QPainter& painter = begun();
        painter.setPen(QPen(colour, widthDots));
        painter.drawLine(fromMm * dotsPerMm(), toMm * dotsPerMm());
    }
    void drawPicture(QPointF topLeftMm, const PrintPicture& picture) override
    {
        picture.paint(begun(), topLeftMm * dotsPerMm(), dotsPerMm());
    }
    void newPage() override
    {
        begun();
        writer_.newPage();
    }
    void endDocument() override
    {
        if (painter_)
            painter_->end();
        painter_.reset();
    }
    void abortDocument() override
    {
        endDocument();
        QFile::remove(path_);
    }

private:
    QFont qfont() const
    {
        QFont font(font_.family);
        font.setPointSizeF(font_.pointSize);
        font.setBold(font_.bold);
        font.setItalic(font_.italic);
        return font;
    }
    QPainter& begun()
    {
        if (!painter_) {
            painter_ = std::make_unique<QPainter>();
            if (!painter_->begin(&writer_))
                throw Error(QStringLiteral("cannot write %1").arg(path_));
        }
        return *painter_;
    }

    QString path_;
    QPdfWriter writer_;
    QSizeF pageMm_;
    PrintFont font_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace hakobee::test
