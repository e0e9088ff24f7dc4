#pragma once

namespace hakobee {

// Where the renderer shows how far the label being drawn has come.
class LabelProgress
{
public:
    // A full bar.
    static constexpr int maximumSquares = 25;

    virtual ~LabelProgress() = default;
    // Start of a label: shown (afresh, with an empty bar) and painted at once.
    virtual void showLabelProgress() = 0;
    // 0 to maximumSquares squares, painted at once.
    virtual void setProgressSquares(int squares) = 0;
    // Which of its record's labels is being drawn: the copy-th of `copies`
    // (more than 1). Where the printer makes the copies of one drawing, the
    // one drawing is all of them: copy is `copies`. Not called for a record
    // of one label.
    virtual void showLabelCopy(int copy, int copies)
    {
        (void)copy;
        (void)copies;
    }
    // End of the label, drawn, aborted or failed.
    virtual void closeLabelProgress() = 0;
    // Called at every step of drawing: where a screen lets pending
    // user-interface events run, the operator's cancel click among them.
    // Output without a screen lets nothing run meanwhile.
    virtual void yieldToEvents() {}
};

// For output without a screen (benchmarks, tools, previews): shows nothing
// and lets no events run while a label is drawn.
class NoLabelProgress : public LabelProgress
{
public:
    void showLabelProgress() override {}
    void setProgressSquares(int) override {}
    void closeLabelProgress() override {}
};

} // namespace hakobee
