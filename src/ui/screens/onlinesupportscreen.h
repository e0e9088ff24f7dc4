#pragma once

#include "core/makersite.h"
#include "ui/screens/weblinkscreen.h"

namespace hakobee {

// Leads to the online support page, what to send when asking for help
// (menu "ｵﾝﾗｲﾝｻﾎﾟｰﾄ").
class OnlineSupportScreen : public WebLinkScreen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form10";

    explicit OnlineSupportScreen(AppContext& context, QWidget* parent = nullptr)
        : WebLinkScreen(context, u"ｵﾝﾗｲﾝｻﾎﾟｰﾄ紹介"_qs, u"ｵﾝﾗｲﾝｻﾎﾟｰﾄはｲﾝﾀｰﾈｯﾄへの接続が必要です"_qs,
                        MakerPages::onlineSupport, parent)
    {}
};

} // namespace hakobee
