#include "ui/screens/sampledatascreen.h"

#include "core/units.h"
#include "ui/screens/sampledatapicture.h"

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

    Label1 = new QLabel(u"DBデータファイル作成　サンプル"_qs, this);
    Label1->setObjectName(u"Label1"_qs);
    QFont heading = Label1->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    Label1->setFont(heading);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(u"Picture1"_qs);
    Picture1->setPixmap(QPixmap::fromImage(drawSampleDataPicture()));
    Picture1->setFixedSize(sampleDataPictureSizePixels);
    Picture1->setFrameShape(QFrame::NoFrame);

    Command1 = new QPushButton(u"閉じる"_qs, this);
    Command1->setObjectName(u"Command1"_qs);
    connect(Command1, &QPushButton::clicked, this, &SampleDataScreen::closeScreen);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(16);
    layout->addWidget(Label1);
    layout->addWidget(Picture1, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(Command1, 0, Qt::AlignRight);
}

} // namespace hakobee
