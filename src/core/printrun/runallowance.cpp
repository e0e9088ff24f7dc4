#include "core/printrun/runallowance.h"

#include "core/render/labelnumbers.h"

namespace hakobee {

void RunAllowance::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    emit textChanged(text_);
}

double RunAllowance::numericValue() const
{
    return parseDecimalText(text_, u"印刷できる残り枚数"_qs);
}

} // namespace hakobee
