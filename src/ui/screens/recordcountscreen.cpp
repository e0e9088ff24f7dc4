#include "ui/screens/recordcountscreen.h"

#include "core/datasource/database.h"
#include "core/datasource/datasourcefile.h"
#include "core/error.h"
#include "core/messageboxes.h"
#include "core/units.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace hakobee {

namespace {

constexpr int widthTwips = 7600;
constexpr int heightTwips = 3500;
constexpr int offsetTwips = 10;

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

// Shows a stored value; a long path or select text wraps instead of widening
// the window.
QLabel* makeValueLabel(const QString& name, QWidget* parent)
{
    QLabel* label = makeLabel(name, QString(), parent);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setFrameShape(QFrame::StyledPanel);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

RecordCountScreen::RecordCountScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"データ件数確認"_qs);

    Label3 = makeLabel(u"Label3"_qs, u"接続DB(ﾌｧｲﾙﾊﾟｽ)"_qs, this);
    Labeldb = makeValueLabel(u"Labeldb"_qs, this);
    Label6 = makeLabel(u"Label6"_qs, u"接続テーブル/クエリ"_qs, this);
    Labeltb = makeValueLabel(u"Labeltb"_qs, this);
    Label7 = makeLabel(u"Label7"_qs, u"SQL構文"_qs, this);
    Labelsql = makeValueLabel(u"Labelsql"_qs, this);
    Labelsql->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Labelsql->setMinimumHeight(3 * fontMetrics().lineSpacing());
    Label1 = makeLabel(u"Label1"_qs, QString(), this);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont count = Label1->font();
    count.setPointSizeF(count.pointSizeF() * 1.5);
    count.setBold(true);
    Label1->setFont(count);
    Label2 = makeLabel(u"Label2"_qs, u"件"_qs, this);
    Command1 = new QPushButton(u"閉じる"_qs, this);
    Command1->setObjectName(u"Command1"_qs);
    connect(Command1, &QPushButton::clicked, this, &RecordCountScreen::closeScreen);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setColumnStretch(1, 1);
    layout->addWidget(Label3, 0, 0);
    layout->addWidget(Labeldb, 0, 1, 1, 3);
    layout->addWidget(Label6, 1, 0);
    layout->addWidget(Labeltb, 1, 1, 1, 3);
    layout->addWidget(Label7, 2, 0, Qt::AlignTop);
    layout->addWidget(Labelsql, 2, 1, 1, 3);
    layout->setRowStretch(2, 1);
    layout->addWidget(Label1, 3, 1);
    layout->addWidget(Label2, 3, 2);
    layout->addWidget(Command1, 3, 3);
}

bool RecordCountScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    try {
        countRecords();
        return true;
    } catch (const Error&) {
        context().messages->show(
            this, {u"DBの設定が不正です。設定し直して下さい[設定]-[ﾃﾞｰﾀﾍﾞｰｽ]より設定できます。"_qs,
                   u"ERROR"_qs, MessageIcon::Exclamation});
        // The screen host discards the screen, since its loading failed; the
        // main menu closes its connecting notice and reports the failure.
        return false;
    }
}

void RecordCountScreen::countRecords()
{
    const DataSourceSettings stored = readDataSourceRows(*context().settings);
    Labeldb->setText(stored.databasePath);
    Labeltb->setText(stored.table);
    Labelsql->setText(stored.selectText);

    const std::unique_ptr<Connection> connection =
        context().databases->open(dataSourceConnectionString(Labeldb->text()));
    const std::unique_ptr<Recordset> records = connection->openRecordset(
        dataSourceQuery(Labelsql->text(), Labeltb->text()), CursorKind::StaticRead);
    records->moveLast();
    records->moveFirst();
    Label1->setText(QString::number(records->recordCount()));
}

} // namespace hakobee
