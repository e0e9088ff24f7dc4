#include "ui/productioncontext.h"

#include "platform/access/accessdatabase.h"

namespace hakobee {

ProductionContext::ProductionContext(const QString& settingsRoot)
    : settings_(settingsRoot), databases_(settings_, openAccessDatabase), screens_(context_)
{
    context_.messages = &messages_;
    context_.screens = &screens_;
    context_.settings = &settings_;
    context_.databases = &databases_;
    context_.fileDialogs = &fileDialogs_;
}

} // namespace hakobee
