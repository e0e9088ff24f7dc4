#pragma once

#include "core/makersite.h"
#include "ui/screens/weblinkscreen.h"

namespace hakobee {

// Leads to the online help page, how to use the program (menu "ｵﾝﾗｲﾝﾍﾙﾌﾟ").
class OnlineHelpScreen : public WebLinkScreen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form9";

    explicit OnlineHelpScreen(AppContext& context, QWidget* parent = nullptr)
        : WebLinkScreen(context, u"オンラインヘルプサイト紹介"_qs,
                        u"ｵﾝﾗｲﾝﾍﾙﾌﾟはｲﾝﾀｰﾈｯﾄへの接続が必要です"_qs, MakerPages::onlineHelp, parent)
    {}
};

} // namespace hakobee
