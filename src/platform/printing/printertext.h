#pragma once

#include "core/printer/printercanvas.h"

#include <QFont>
#include <QSizeF>
#include <QString>

class QPrinter;

namespace hakobee {

// Text is set by Qt at the printer's resolution, whichever canvas draws the
// job, so a label's layout does not depend on the canvas.
QFont printerFont(const PrintFont& font);

// Width and height of a text as it will be drawn, in millimetres.
QSizeF printedTextSizeMm(const QFont& font, const QPrinter& printer, const QString& text);

// From the top of a line of text to its baseline, in printer dots.
double printedAscentDots(const QFont& font, const QPrinter& printer);

double printerDotsPerMm(const QPrinter& printer);

} // namespace hakobee
