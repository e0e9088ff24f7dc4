#include "ui/runactivity.h"

namespace hakobee {

RunActivity::Going::Going(RunActivity& activity) : activity_(activity)
{
    if (activity_.going_++ == 0)
        emit activity_.goingChanged(true);
}

RunActivity::Going::~Going()
{
    if (--activity_.going_ == 0)
        emit activity_.goingChanged(false);
}

} // namespace hakobee
