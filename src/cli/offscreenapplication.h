#pragma once

#include <QByteArray>

#include <memory>
#include <vector>

class QApplication;

namespace hakobee {

// The application the fonts and the printers need, on the offscreen
// platform: no window is shown, so no display is needed. For the
// subcommands; lives as long as the command runs.
class OffscreenApplication
{
public:
    OffscreenApplication(int argc, char** argv);
    ~OffscreenApplication();
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

private:
    QByteArray platformOption_{"-platform"};
    QByteArray platformName_{"offscreen"};
    std::vector<char*> arguments_;
    int argc_ = 0;
    std::unique_ptr<QApplication> app_;
};

} // namespace hakobee
