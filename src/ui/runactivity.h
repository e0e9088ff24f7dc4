#pragma once

#include <QObject>

namespace hakobee {

// Whether a print run is going on any screen of the program (the screen
// host keeps one). There is one printer, one progress screen and one cancel
// request, so one run at a time: the run screens' start buttons are
// disabled while any run prints, and a start while one is going does
// nothing.
class RunActivity : public QObject
{
    Q_OBJECT

public:
    bool isGoing() const { return going_ > 0; }

    // Marks a run as going for its scope.
    class Going
    {
    public:
        explicit Going(RunActivity& activity);
        ~Going();
        Going(const Going&) = delete;
        Going& operator=(const Going&) = delete;

    private:
        RunActivity& activity_;
    };

signals:
    void goingChanged(bool going);

private:
    int going_ = 0;
};

} // namespace hakobee
