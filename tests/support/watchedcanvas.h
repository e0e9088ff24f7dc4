#pragma once

#include "support/recordingcanvas.h"

#include <functional>

namespace hakobee::test {

// A canvas that lets a test act at the start of a label (its first drawing
// call), while the label is being drawn: throwing there is a printer fault.
class WatchedCanvas : public RecordingCanvas
{
public:
    void drawText(QPointF topLeftMm, const QString& text) override
    {
        if (calls.isEmpty() || calls.last().kind == Kind::End || calls.last().kind == Kind::Abort) {
            ++labelsStarted;
            if (onLabelStart)
                onLabelStart(labelsStarted);
        }
        RecordingCanvas::drawText(topLeftMm, text);
    }
    // The barcode caption of every label sent: the last text before its end.
    QStringList printedCaptions() const
    {
        QStringList captions;
        QString last;
        for (const Call& call : calls) {
            if (call.kind == Kind::Text)
                last = call.text;
            else if (call.kind == Kind::End)
                captions.append(last);
        }
        return captions;
    }
    int labelsStarted = 0;
    std::function<void(int label)> onLabelStart;
};

} // namespace hakobee::test
