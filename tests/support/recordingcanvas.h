#pragma once

#include "core/printer/printercanvas.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <utility>

namespace hakobee::test {

// Records every drawing call in millimetres instead of printing, with a
// text size model simple enough to compute layouts by hand:
//   height = 0.4 mm per point, whatever the text;
//   width  = 0.2 mm per point for each half-width character (ASCII and
//            half-width katakana), 0.4 mm per point for any other.
class RecordingCanvas : public PrinterCanvas
{
public:
    enum class Kind
    {
        Text,
        Line,
        Picture,
        NewPage,
        End,
        Abort
    };

    struct Call
    {
        Kind kind = Kind::Text;
        QPointF atMm;      // text and picture: top-left; line: start
        QPointF toMm;      // line: end
        QString text;      // text
        PrintFont font;    // text: the font it was drawn in
        int widthDots = 0; // line
        QColor colour;     // line
        QSizeF sizeMm;     // picture: its size on this canvas
        int copies = 1;    // end: the copies the job was asked for
    };

    static constexpr double heightMmPerPoint = 0.4;
    static constexpr double halfWidthMmPerPoint = 0.2;

    QSizeF printableMm{60, 40};
    double dotsPerMm = 600 / 25.4;
    QList<Call> calls;
    // Whether the canvas makes the copies a job asks for (a spooler or the
    // PDF folder would); otherwise each copy is drawn as a page.
    bool makesCopies = false;

    void setFont(const PrintFont& font) override { font_ = font; }
    PrintFont font() const override { return font_; }
    QSizeF printableSizeMm() const override { return printableMm; }

    QSizeF textSizeMm(const QString& text) const override
    {
        double units = 0;
        for (QChar c : text)
            units +=
                (c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F)) ? 1 : 2;
        return {units * halfWidthMmPerPoint * font_.pointSize, heightMmPerPoint * font_.pointSize};
    }

    void drawText(QPointF topLeftMm, const QString& text) override
    {
        Call call = make(Kind::Text, topLeftMm);
        call.text = text;
        call.font = font_;
        calls.append(call);
    }
    void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) override
    {
        Call call = make(Kind::Line, fromMm);
        call.toMm = toMm;
        call.widthDots = widthDots;
        call.colour = colour;
        calls.append(call);
    }
    void drawPicture(QPointF topLeftMm, const PrintPicture& picture) override
    {
        Call call = make(Kind::Picture, topLeftMm);
        call.sizeMm = picture.sizeMm(dotsPerMm);
        calls.append(call);
    }
    void newPage() override { calls.append(make(Kind::NewPage)); }
    void endDocument() override
    {
        Call call = make(Kind::End);
        call.copies = std::exchange(jobCopies_, 1);
        calls.append(call);
    }
    void abortDocument() override
    {
        jobCopies_ = 1;
        calls.append(make(Kind::Abort));
    }
    bool setJobCopies(int copies) override
    {
        if (!makesCopies)
            return copies == 1;
        jobCopies_ = copies;
        return true;
    }

    QList<Call> callsOf(Kind kind) const
    {
        QList<Call> found;
        for (const Call& call : calls) {
            if (call.kind == kind)
                found.append(call);
        }
        return found;
    }
    // The text call that printed this text; a default call when none did.
    Call textCall(const QString& text) const
    {
        for (const Call& call : calls) {
            if (call.kind == Kind::Text && call.text == text)
                return call;
        }
        return {};
    }
    qsizetype count(Kind kind) const { return callsOf(kind).size(); }

private:
    static Call make(Kind kind, QPointF atMm = {})
    {
        Call call;
        call.kind = kind;
        call.atMm = atMm;
        return call;
    }

    PrintFont font_;
    int jobCopies_ = 1;
};

} // namespace hakobee::test
