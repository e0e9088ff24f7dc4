#include "ui/runactivity.h"

namespace hakobee {

RunActivity& RunActivity::instance()
{
    static RunActivity activity;
    return activity;
}

RunActivity::Going::Going()
{
    RunActivity& activity = instance();
    if (activity.going_++ == 0)
        emit activity.goingChanged(true);
}

RunActivity::Going::~Going()
{
    RunActivity& activity = instance();
    if (--activity.going_ == 0)
        emit activity.goingChanged(false);
}

} // namespace hakobee
