#include "ui/screens/sampledatascreen.h"

#include "core/units.h"
#include "ui/controls.h"
#include "ui/widgets/sampledatapicture.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace hakobee {

namespace {
constexpr int widthTwips = 8400;
constexpr int heightTwips = 5800;
constexpr int offsetTwips = 30;
} // namespace

SampleDataScreen::SampleDataScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"CSVファイルサンプル"_qs);
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));

    QLabel* heading = controls::label(this, u"Label1"_qs, u"DBデータファイル作成　サンプル"_qs);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    QLabel* picture = controls::label(this, u"Picture1"_qs);
    picture->setPixmap(QPixmap::fromImage(drawSampleDataPicture()));
    picture->setFixedSize(sampleDataPictureSizePixels);
    picture->setFrameShape(QFrame::NoFrame);

    QPushButton* close = controls::button(this, u"Command1"_qs, u"閉じる"_qs);
    connect(close, &QPushButton::clicked, this, &SampleDataScreen::closeScreen);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(16);
    layout->addWidget(heading);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(close, 0, Qt::AlignRight);
}

} // namespace hakobee
