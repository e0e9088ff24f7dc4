#include "ui/screens/datasourcescreen.h"

#include "core/datasource/database.h"
#include "core/datasource/datasourcefile.h"
#include "core/error.h"
#include "core/filedialogs.h"
#include "core/messageboxes.h"
#include "core/settings/settingsformat.h"
#include "core/units.h"
#include "ui/screenhost.h"
#include "ui/screens/sampledatascreen.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int widthTwips = 7600;
constexpr int heightTwips = 6900;
constexpr int offsetTwips = 10;

const QString settingsErrorTitle = u"設定エラー"_qs;
const QString programErrorTitle = u"ﾌﾟﾛｸﾞﾗﾑｴﾗｰ"_qs;
const QString statusTitle = u"ステータス"_qs;

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// Labels that show values read back from the file must not widen the
// window with a long path or select text.
QLabel* makeReadBackLabel(const QString& name, QWidget* parent)
{
    QLabel* label = makeLabel(name, u"Label17"_qs, parent);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

DataSourceScreen::DataSourceScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"データベース設定 Access"_qs);
    buildControls();
    connect(Command1, &QPushButton::clicked, this, &DataSourceScreen::browseForDatabase);
    connect(Command2, &QPushButton::clicked, this, &DataSourceScreen::saveAndTest);
    connect(Command3, &QPushButton::clicked, this, &DataSourceScreen::showSampleDataPicture);
    connect(Command4, &QPushButton::clicked, this, &DataSourceScreen::saveOnly);
}

void DataSourceScreen::buildControls()
{
    Label111 = makeLabel(u"Label111"_qs, u"データベース接続  (Access バージョン)設定"_qs, this);
    QFont heading = Label111->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    Label111->setFont(heading);
    Label5 = makeLabel(u"Label5"_qs, u"接続設定項目"_qs, this);

    Frame1 = new QGroupBox(u"Access"_qs, this);
    Frame1->setObjectName(u"Frame1"_qs);
    Label2 = makeLabel(u"Label2"_qs, u"接続DB(ﾌｧｲﾙﾊﾟｽ)"_qs, Frame1);
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(u"Text1"_qs);
    Command1 = makeButton(u"Command1"_qs, u"参照"_qs, Frame1);
    Label6 = makeLabel(u"Label6"_qs, u"(例　C:\\db1.mdb)"_qs, Frame1);
    Command3 = makeButton(u"Command3"_qs, u"ﾃﾞｰﾀﾍﾞｰｽｻﾝﾌﾟﾙ"_qs, Frame1);
    Label9 = makeLabel(u"Label9"_qs, u"データテーブル名"_qs, Frame1);
    Text4 = new QLineEdit(Frame1);
    Text4->setObjectName(u"Text4"_qs);
    Label10 = makeLabel(u"Label10"_qs, u"(例　Master)"_qs, Frame1);
    Label11 = makeLabel(u"Label11"_qs, u"SQL構文"_qs, Frame1);
    Text5 = new QPlainTextEdit(Frame1);
    Text5->setObjectName(u"Text5"_qs);
    Text5->setTabChangesFocus(true);
    Text5->setFixedHeight(3 * Text5->fontMetrics().lineSpacing() + 12);
    Label12 = makeLabel(
        u"Label12"_qs,
        u"(例)select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from"_qs, Frame1);
    Label12->setWordWrap(true);
    Label13 = makeLabel(u"Label13"_qs, u"※注意　構文を変更する(例)を参照して記述してください。"_qs,
                        Frame1);
    Label14 = makeLabel(
        u"Label14"_qs,
        u"1 Defaultでは、ﾊﾞｰｺｰﾄﾞ,品名,名称,税込価格の順番で項目を4つ指定してください。"_qs, Frame1);
    Label15 = makeLabel(u"Label15"_qs, u"2 初期設定はフィールド名　(bar,hi,mei,as2)"_qs, Frame1);
    Label16 = makeLabel(u"Label16"_qs,
                        u"3 構文は必ず　from まで記述し、テーブル名は構文に入れないでください。"_qs,
                        Frame1);
    Label13->setStyleSheet(u"color: #c00000;"_qs);

    auto* entry = new QGridLayout(Frame1);
    entry->setVerticalSpacing(4);
    entry->setColumnStretch(1, 1);
    entry->addWidget(Label2, 0, 0);
    entry->addWidget(Text1, 0, 1);
    entry->addWidget(Command1, 0, 2);
    entry->addWidget(Label6, 1, 1);
    entry->addWidget(Command3, 1, 2);
    entry->addWidget(Label9, 2, 0);
    entry->addWidget(Text4, 2, 1);
    entry->addWidget(Label10, 2, 2);
    entry->addWidget(Label11, 3, 0, Qt::AlignTop);
    entry->addWidget(Text5, 3, 1, 1, 2);
    entry->addWidget(Label12, 4, 0, 1, 3);
    entry->addWidget(Label13, 5, 0, 1, 3);
    entry->addWidget(Label14, 6, 0, 1, 3);
    entry->addWidget(Label15, 7, 0, 1, 3);
    entry->addWidget(Label16, 8, 0, 1, 3);

    // After a test: the record count, and the values read back from the file.
    Label1 = makeLabel(u"Label1"_qs, u"Label1"_qs, this);
    QFont count = Label1->font();
    count.setBold(true);
    Label1->setFont(count);
    Labeldb = makeReadBackLabel(u"Labeldb"_qs, this);
    Labeltb = makeReadBackLabel(u"Labeltb"_qs, this);
    Labelsql = makeReadBackLabel(u"Labelsql"_qs, this);
    Labelpass = makeReadBackLabel(u"Labelpass"_qs, this);
    Labeluser = makeReadBackLabel(u"Labeluser"_qs, this);
    // These two hold no values; they keep their caption's width.
    for (QLabel* unused : {Labelpass, Labeluser})
        unused->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* readBack = new QGridLayout;
    readBack->setColumnStretch(1, 1);
    readBack->setColumnStretch(2, 2);
    readBack->addWidget(Label1, 0, 0);
    readBack->addWidget(Labeldb, 0, 1, 1, 4);
    readBack->addWidget(Labeltb, 1, 1);
    readBack->addWidget(Labelsql, 1, 2);
    readBack->addWidget(Labelpass, 1, 3);
    readBack->addWidget(Labeluser, 1, 4);

    Command2 = makeButton(u"Command2"_qs, u"ﾃﾞｰﾀﾍﾞｰｽ接続テスト=>設定変更"_qs, this);
    Command4 = makeButton(u"Command4"_qs, u"設定変更ﾎﾞﾀﾝ"_qs, this);
    for (QPushButton* button : {Command2, Command4})
        button->setMinimumWidth(button->sizeHint().width() + 16);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(Label111);
    layout->addWidget(Label5);
    layout->addWidget(Frame1, 1);
    layout->addLayout(readBack);
    layout->addLayout(buttons);
}

bool DataSourceScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    try {
        const DataSourceSettings stored = readDataSourceRecord(*context().databases);
        Text1->setText(stored.databasePath);
        Text4->setText(stored.table);
        Text5->setPlainText(stored.selectText);
    } catch (const Error& error) {
        // The screen stays usable with empty boxes, so the operator can
        // enter the data source anew.
        Text1->clear();
        Text4->clear();
        Text5->clear();
        tell({error.description(), settingsErrorTitle, MessageIcon::Exclamation});
    }
    return true;
}

DataSourceSettings DataSourceScreen::typedSettings() const
{
    // The select text is one line in the settings file; a line break the
    // operator typed in the box separates words like a blank does.
    QString selectText = Text5->toPlainText();
    selectText.replace(u"\r\n"_qs, u" "_qs).replace(u'\n', u' ').replace(u'\r', u' ');
    return {Text1->text(), Text4->text(), selectText};
}

bool DataSourceScreen::acceptTypedSettings()
{
    const DataSourceSettings typed = typedSettings();
    if (typed.databasePath.isEmpty() || typed.table.isEmpty() || typed.selectText.isEmpty()) {
        tell({u"C7304 空欄があります。更新できません"_qs, programErrorTitle,
              MessageIcon::Exclamation});
        return false;
    }
    // A value the file cannot hold (a double quote has no escape) is refused
    // before anything is written.
    try {
        for (const QString& value : {typed.databasePath, typed.table, typed.selectText})
            checkStorableSettingsValue(value);
    } catch (const Error& error) {
        tell({error.description(), programErrorTitle, MessageIcon::Exclamation});
        return false;
    }
    return true;
}

void DataSourceScreen::browseForDatabase()
{
    const QFileInfo current(Text1->text());
    const OpenFileRequest request{
        Label2->text(),
        Text1->text().isEmpty() ? QString() : current.absolutePath(),
        u"Access データベース (*.mdb *.accdb);;すべてのファイル (*)"_qs,
    };
    if (const std::optional<QString> chosen = context().fileDialogs->openFile(this, request))
        Text1->setText(*chosen);
}

void DataSourceScreen::saveAndTest()
{
    if (!acceptTypedSettings())
        return;
    try {
        writeDataSource(*context().settings, typedSettings());

        const DataSourceSettings stored = readDataSourceRows(*context().settings);
        Labeldb->setText(stored.databasePath);
        Labeltb->setText(stored.table);
        Labelsql->setText(stored.selectText);
        const QString query = dataSourceQuery(Labelsql->text(), Labeltb->text());

        const std::unique_ptr<Connection> connection =
            context().databases->open(dataSourceConnectionString(Labeldb->text()));
        const std::unique_ptr<Recordset> records =
            connection->openRecordset(query, CursorKind::StaticRead);
        records->moveLast();
        records->moveFirst();
        Label1->setText(QString::number(records->recordCount()));

        if (Label1->text().toLongLong() >= 0)
            tell({u"接続できました"_qs, statusTitle, MessageIcon::Information});
        else
            tell({u"接続できましたが、SQL構文が無効です。"_qs, statusTitle, MessageIcon::Critical});
    } catch (const Error& error) {
        tell({error.description(), settingsErrorTitle, MessageIcon::None});
    }
}

void DataSourceScreen::showSampleDataPicture()
{
    context().screens->open<SampleDataScreen>();
}

void DataSourceScreen::saveOnly()
{
    if (!acceptTypedSettings())
        return;
    try {
        writeDataSource(*context().settings, typedSettings());
    } catch (const Error& error) {
        // Nothing was changed: the boxes keep what the operator typed.
        tell({error.description(), settingsErrorTitle, MessageIcon::Exclamation});
        return;
    }
    Text1->clear();
    Text4->clear();
    Text5->clear();
    closeScreen();
    QWidget* owner = context().screens ? context().screens->container() : nullptr;
    context().messages->show(owner,
                             {u"設定が変更されました｡アプリケーションを再起動してください。"_qs,
                              u"設定変更"_qs, MessageIcon::Information});
}

void DataSourceScreen::tell(const Message& message)
{
    context().messages->show(this, message);
}

} // namespace hakobee
