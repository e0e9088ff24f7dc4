#include "cli/offscreenapplication.h"

#include <QApplication>

namespace hakobee {

OffscreenApplication::OffscreenApplication(int argc, char** argv)
{
    arguments_.assign(argv, argv + argc);
    arguments_.push_back(platformOption_.data());
    arguments_.push_back(platformName_.data());
    argc_ = int(arguments_.size());
    arguments_.push_back(nullptr);
    app_ = std::make_unique<QApplication>(argc_, arguments_.data());
}

OffscreenApplication::~OffscreenApplication() = default;

} // namespace hakobee
