#pragma once

#include "core/printer/printercanvas.h"

#include <QStringList>

#include <functional>

namespace hakobee::test {

// Passes every drawing call on to a real printer's canvas and notes what
// became of each label: when it started (its first drawing call, where a
// test can step in while it is being drawn) and, for every label the canvas
// sent without an error, its barcode caption (the last text drawn).
class DeliveryLog : public PrinterCanvas
{
public:
    explicit DeliveryLog(PrinterCanvas& canvas) : canvas_(canvas) {}

    void setFont(const PrintFont& font) override { canvas_.setFont(font); }
    PrintFont font() const override { return canvas_.font(); }
    QSizeF printableSizeMm() const override { return canvas_.printableSizeMm(); }
    QSizeF textSizeMm(const QString& text) const override { return canvas_.textSizeMm(text); }

    void drawText(QPointF topLeftMm, const QString& text) override
    {
        drawing();
        lastText_ = text;
        canvas_.drawText(topLeftMm, text);
    }
    void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) override
    {
        drawing();
        canvas_.drawLine(fromMm, toMm, widthDots, colour);
    }
    void drawPicture(QPointF topLeftMm, const PrintPicture& picture) override
    {
        drawing();
        canvas_.drawPicture(topLeftMm, picture);
    }
    void newPage() override { canvas_.newPage(); }
    void endDocument() override
    {
        inLabel_ = false;
        canvas_.endDocument();
        delivered.append(lastText_);
    }
    void abortDocument() override
    {
        inLabel_ = false;
        canvas_.abortDocument();
    }
    bool setJobCopies(int copies) override { return canvas_.setJobCopies(copies); }

    QStringList delivered;
    int labelsStarted = 0;
    std::function<void(int label)> onLabelStart;

private:
    void drawing()
    {
        if (inLabel_)
            return;
        inLabel_ = true;
        ++labelsStarted;
        if (onLabelStart)
            onLabelStart(labelsStarted);
    }

    PrinterCanvas& canvas_;
    bool inLabel_ = false;
    QString lastText_;
};

} // namespace hakobee::test
