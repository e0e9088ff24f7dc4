#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace hakobee {

// A picture that draws itself at the resolution of the device it is drawn
// on, so a barcode stays sharp and its bars fall on whole printer dots.
class PrintPicture
{
public:
    virtual ~PrintPicture() = default;
    // The picture's own size in millimetres on a device of this resolution.
    virtual QSizeF sizeMm(double dotsPerMm) const = 0;
    // Draws with the top-left corner at the given point; the painter works in device dots.
    virtual void paint(QPainter& painter, QPointF topLeftDots, double dotsPerMm) const = 0;
};

struct PrintFont
{
    QString family;
    double pointSize = 9.0; // fractional sizes (6.5) are kept as they are
    bool bold = false;
    bool italic = false;
};

// Drawing on the current printer, one print job at a time, in millimetres
// from the top-left corner of the printable area. The job starts with the
// first drawing call; endDocument() sends it, abortDocument() discards it so
// that nothing of it reaches the printer. Failures throw hakobee::Error.
class PrinterCanvas
{
public:
    virtual ~PrinterCanvas() = default;

    virtual void setFont(const PrintFont& font) = 0;
    virtual PrintFont font() const = 0;

    virtual QSizeF printableSizeMm() const = 0;
    // Width and height of a text in the current font.
    virtual QSizeF textSizeMm(const QString& text) const = 0;

    // Top-left corner of the text at the position.
    virtual void drawText(QPointF topLeftMm, const QString& text) = 0;
    // Line width in device units (dots).
    virtual void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) = 0;
    // The picture at its own size.
    virtual void drawPicture(QPointF topLeftMm, const PrintPicture& picture) = 0;

    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    virtual void abortDocument() = 0;

    // Asks for the next job (or the one being drawn) to come out `copies`
    // times from what is drawn once, as one job. False where this canvas
    // cannot make copies: the caller then draws each copy as a page of its
    // own in the one job. The request holds until the job is ended or
    // aborted; 1 withdraws it.
    virtual bool setJobCopies(int copies) { return copies == 1; }
};

} // namespace hakobee
