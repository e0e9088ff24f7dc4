#pragma once

#include "core/printer/printercanvas.h"

namespace hakobee {

// One print job on a canvas, sent only by end(): leaving the scope any other
// way (an exception, an early return) aborts it, so nothing half-drawn
// reaches the printer and the next job does not start inside this one.
class ScopedPrintJob
{
public:
    explicit ScopedPrintJob(PrinterCanvas& canvas) : canvas_(canvas) {}
    ~ScopedPrintJob()
    {
        if (finished_)
            return;
        try {
            canvas_.abortDocument();
        } catch (...) {
            // Discarding never fails in a way the operator could act on.
        }
    }
    ScopedPrintJob(const ScopedPrintJob&) = delete;
    ScopedPrintJob& operator=(const ScopedPrintJob&) = delete;

    PrinterCanvas& canvas() { return canvas_; }

    void end()
    {
        finished_ = true;
        canvas_.endDocument();
    }
    void abort()
    {
        finished_ = true;
        canvas_.abortDocument();
    }

private:
    PrinterCanvas& canvas_;
    bool finished_ = false;
};

} // namespace hakobee
