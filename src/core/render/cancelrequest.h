#pragma once

namespace hakobee {

// CancelRequested: the one process-wide request to stop the label being
// drawn. The progress screen's cancel button raises it; the renderer lowers
// it at the start of every label and reads it at its yield point. The
// program keeps one instance and hands it to both.
class CancelRequest
{
public:
    bool isRequested() const { return requested_; }
    void request() { requested_ = true; }
    void reset() { requested_ = false; }

private:
    bool requested_ = false;
};

} // namespace hakobee
