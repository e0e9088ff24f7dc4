#include "ui/screens/versioninfoscreen.h"

#include "core/makersite.h"
#include "core/programversion.h"
#include "core/shellopener.h"
#include "ui/controls.h"
#include "ui/installedfiles.h"
#include "ui/programicon.h"
#include "ui/screens/unopenedpagenote.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace hakobee {

namespace {
constexpr int iconPixels = 64;
constexpr int descriptionWidthPixels = 340;
} // namespace

VersionInfoScreen::VersionInfoScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"ﾊﾞｰｼﾞｮﾝ情報"_qs);

    icon_ = controls::label(this, u"picIcon"_qs);
    icon_->setPixmap(programIconPixmap(iconPixels));
    icon_->setFixedSize(iconPixels, iconPixels);

    title_ = controls::label(this, u"lblTitle"_qs, u"ﾊﾞｰｺｰﾄﾞハコビー"_qs);
    QFont titleFont = title_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title_->setFont(titleFont);

    version_ =
        controls::label(this, u"lblVersion"_qs,
                        u"ﾊﾞｰｼﾞｮﾝ　%1 2004/10修正"_qs.arg(QString::fromLatin1(programVersion)));

    description_ = controls::label(
        this, u"lblDescription"_qs,
        u"このアプリケーションはデータベースと連携してデータを連続して印刷する業務用ソフトです。"
        u"バーコード付ラベル発行や物流ラベル、棚札など、その他帳票発行に最適です。"
        u"余計な機能は一切ありませんので使用方法も至って簡単。マニュアル要らずです。"
        u"不明な点はｵﾝﾗｲﾝｻﾎﾟｰﾄにて問い合わせ可能"_qs);
    description_->setWordWrap(true);
    description_->setMinimumWidth(descriptionWidthPixels);

    // An etched rule: the pair of lines the box separates its buttons with.
    separator_ = new QFrame(this);
    separator_->setObjectName(u"Line1"_qs);
    separator_->setFrameShape(QFrame::HLine);
    separator_->setFrameShadow(QFrame::Sunken);

    ok_ = controls::button(this, u"cmdOK"_qs, u"OK"_qs);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &VersionInfoScreen::closeScreen);
    layoutOrderForm_ = controls::button(this, u"Command1"_qs, u"ﾚｲｱｳﾄ作成依頼"_qs);
    connect(layoutOrderForm_, &QPushButton::clicked, this, &VersionInfoScreen::openLayoutOrderForm);
    unopenedPage_ = new UnopenedPageNote(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(layoutOrderForm_);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->setColumnStretch(1, 1);
    layout->addWidget(icon_, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(title_, 0, 1);
    layout->addWidget(version_, 1, 1);
    layout->addWidget(description_, 2, 1);
    layout->setRowStretch(2, 1);
    layout->addWidget(unopenedPage_, 3, 0, 1, 2);
    layout->addWidget(separator_, 4, 0, 1, 2);
    layout->addLayout(buttons, 5, 0, 1, 2);
}

void VersionInfoScreen::openLayoutOrderForm()
{
    const QUrl page = programPageUrl(MakerPages::layoutOrderForm);
    if (!context().shell->openWebPage(page))
        unopenedPage_->showAddress(page);
}

} // namespace hakobee
