#include "ui/screens/datasourcescreen.h"

#include "core/datasource/datasourcecount.h"
#include "core/datasource/datasourcecredentials.h"
#include "core/datasource/datasourcekind.h"
#include "core/error.h"
#include "core/filedialogs.h"
#include "core/messageboxes.h"
#include "core/settings/datasourcefile.h"
#include "core/settings/settingsformat.h"
#include "core/units.h"
#include "platform/workbook/workbook.h"
#include "ui/controls.h"
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

// Labels that show values read back from the file must not widen the
// window with a long path or select text.
QLabel* makeReadBackLabel(const QString& name, QWidget* parent)
{
    QLabel* label = controls::label(parent, name, u"Label17"_qs);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

DataSourceScreen::DataSourceScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"データベース設定 Access"_qs);
    buildControls();
    connect(browseButton_, &QPushButton::clicked, this, &DataSourceScreen::browseForDatabase);
    connect(testAndSaveButton_, &QPushButton::clicked, this, &DataSourceScreen::saveAndTest);
    connect(sampleButton_, &QPushButton::clicked, this, &DataSourceScreen::showSampleDataPicture);
    connect(saveButton_, &QPushButton::clicked, this, &DataSourceScreen::saveOnly);
}

void DataSourceScreen::buildControls()
{
    heading_ =
        controls::label(this, u"Label111"_qs, u"データベース接続  (Access バージョン)設定"_qs);
    QFont heading = heading_->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    heading.setBold(true);
    heading_->setFont(heading);
    sectionCaption_ = controls::label(this, u"Label5"_qs, u"接続設定項目"_qs);

    accessFrame_ = new QGroupBox(u"Access"_qs, this);
    accessFrame_->setObjectName(u"Frame1"_qs);
    databaseCaption_ = controls::label(accessFrame_, u"Label2"_qs, u"接続DB(ﾌｧｲﾙﾊﾟｽ)"_qs);
    databasePath_ = controls::lineEdit(accessFrame_, u"Text1"_qs);
    databasePath_->setToolTip(u"Access ファイルのパス、CSV ファイルのフォルダー、または "
                              u"postgresql://サーバー:ポート/データベース名 "
                              u"(パスワードは書かずに ~/.pgpass へ)"_qs);
    browseButton_ = controls::button(accessFrame_, u"Command1"_qs, u"参照"_qs);
    databaseExample_ = controls::label(accessFrame_, u"Label6"_qs, u"(例　C:\\db1.mdb)"_qs);
    sampleButton_ = controls::button(accessFrame_, u"Command3"_qs, u"ﾃﾞｰﾀﾍﾞｰｽｻﾝﾌﾟﾙ"_qs);
    tableCaption_ = controls::label(accessFrame_, u"Label9"_qs, u"データテーブル名"_qs);
    tableName_ = controls::lineEdit(accessFrame_, u"Text4"_qs);
    tableExample_ = controls::label(accessFrame_, u"Label10"_qs, u"(例　Master)"_qs);
    selectCaption_ = controls::label(accessFrame_, u"Label11"_qs, u"SQL構文"_qs);
    selectText_ = new QPlainTextEdit(accessFrame_);
    selectText_->setObjectName(u"Text5"_qs);
    selectText_->setTabChangesFocus(true);
    selectText_->setFixedHeight(3 * selectText_->fontMetrics().lineSpacing() + 12);
    selectExample_ = controls::label(
        accessFrame_, u"Label12"_qs,
        u"(例)select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from"_qs);
    selectExample_->setWordWrap(true);
    selectNote_ = controls::label(accessFrame_, u"Label13"_qs,
                                  u"※注意　構文を変更する(例)を参照して記述してください。"_qs);
    selectRule1_ = controls::label(
        accessFrame_, u"Label14"_qs,
        u"1 Defaultでは、ﾊﾞｰｺｰﾄﾞ,品名,名称,税込価格の順番で項目を4つ指定してください。"_qs);
    selectRule2_ = controls::label(accessFrame_, u"Label15"_qs,
                                   u"2 初期設定はフィールド名　(bar,hi,mei,as2)"_qs);
    selectRule3_ = controls::label(
        accessFrame_, u"Label16"_qs,
        u"3 構文は必ず　from まで記述し、テーブル名は構文に入れないでください。"_qs);
    selectNote_->setStyleSheet(u"color: #c00000;"_qs);

    auto* entry = new QGridLayout(accessFrame_);
    entry->setVerticalSpacing(4);
    entry->setColumnStretch(1, 1);
    entry->addWidget(databaseCaption_, 0, 0);
    entry->addWidget(databasePath_, 0, 1);
    entry->addWidget(browseButton_, 0, 2);
    entry->addWidget(databaseExample_, 1, 1);
    entry->addWidget(sampleButton_, 1, 2);
    entry->addWidget(tableCaption_, 2, 0);
    entry->addWidget(tableName_, 2, 1);
    entry->addWidget(tableExample_, 2, 2);
    entry->addWidget(selectCaption_, 3, 0, Qt::AlignTop);
    entry->addWidget(selectText_, 3, 1, 1, 2);
    entry->addWidget(selectExample_, 4, 0, 1, 3);
    entry->addWidget(selectNote_, 5, 0, 1, 3);
    entry->addWidget(selectRule1_, 6, 0, 1, 3);
    entry->addWidget(selectRule2_, 7, 0, 1, 3);
    entry->addWidget(selectRule3_, 8, 0, 1, 3);

    // After a test: the record count, and the values read back from the file.
    countResult_ = controls::label(this, u"Label1"_qs, u"Label1"_qs);
    QFont count = countResult_->font();
    count.setBold(true);
    countResult_->setFont(count);
    readBackDatabase_ = makeReadBackLabel(u"Labeldb"_qs, this);
    readBackTable_ = makeReadBackLabel(u"Labeltb"_qs, this);
    readBackSelect_ = makeReadBackLabel(u"Labelsql"_qs, this);
    readBackPassword_ = makeReadBackLabel(u"Labelpass"_qs, this);
    readBackUser_ = makeReadBackLabel(u"Labeluser"_qs, this);
    // These two hold no values; they keep their caption's width.
    for (QLabel* unused : {readBackPassword_, readBackUser_})
        unused->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* readBack = new QGridLayout;
    readBack->setColumnStretch(1, 1);
    readBack->setColumnStretch(2, 2);
    readBack->addWidget(countResult_, 0, 0);
    readBack->addWidget(readBackDatabase_, 0, 1, 1, 4);
    readBack->addWidget(readBackTable_, 1, 1);
    readBack->addWidget(readBackSelect_, 1, 2);
    readBack->addWidget(readBackPassword_, 1, 3);
    readBack->addWidget(readBackUser_, 1, 4);

    testAndSaveButton_ = controls::button(this, u"Command2"_qs, u"ﾃﾞｰﾀﾍﾞｰｽ接続テスト=>設定変更"_qs);
    saveButton_ = controls::button(this, u"Command4"_qs, u"設定変更ﾎﾞﾀﾝ"_qs);
    for (QPushButton* button : {testAndSaveButton_, saveButton_})
        button->setMinimumWidth(button->sizeHint().width() + 16);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(testAndSaveButton_);
    buttons->addWidget(saveButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(heading_);
    layout->addWidget(sectionCaption_);
    layout->addWidget(accessFrame_, 1);
    layout->addLayout(readBack);
    layout->addLayout(buttons);
}

bool DataSourceScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    try {
        const DataSourceSettings stored = readDataSourceRecord(*context().databases);
        databasePath_->setText(stored.databasePath);
        tableName_->setText(stored.table);
        selectText_->setPlainText(stored.selectText);
    } catch (const Error& error) {
        // The screen stays usable with empty boxes, so the operator can
        // enter the data source anew.
        databasePath_->clear();
        tableName_->clear();
        selectText_->clear();
        tell({error.description(), settingsErrorTitle, MessageIcon::Exclamation});
    }
    return true;
}

DataSourceSettings DataSourceScreen::typedSettings() const
{
    // The select text is one line in the settings file; a line break the
    // operator typed in the box separates words like a blank does.
    QString selectText = selectText_->toPlainText();
    selectText.replace(u"\r\n"_qs, u" "_qs).replace(u'\n', u' ').replace(u'\r', u' ');
    return {databasePath_->text(), tableName_->text(), selectText};
}

bool DataSourceScreen::acceptTypedSettings()
{
    const DataSourceSettings typed = typedSettings();
    if (typed.databasePath.isEmpty() || typed.table.isEmpty() || typed.selectText.isEmpty()) {
        tell({u"C7304 空欄があります。更新できません"_qs, programErrorTitle,
              MessageIcon::Exclamation});
        return false;
    }
    // A value the file cannot hold (a double quote has no escape), or a
    // password, which the file must never hold, is refused before anything
    // is written.
    try {
        for (const QString& value : {typed.databasePath, typed.table, typed.selectText})
            checkStorableSettingsValue(value);
        checkNoPasswordInDataSource(typed.databasePath);
    } catch (const Error& error) {
        tell({error.description(), programErrorTitle, MessageIcon::Exclamation});
        return false;
    }
    return true;
}

void DataSourceScreen::browseForDatabase()
{
    const QFileInfo current(databasePath_->text());
    QString startFolder;
    const DataSourceKind kind = dataSourceKindOf(databasePath_->text());
    const bool isServer = kind == DataSourceKind::PostgreSql || kind == DataSourceKind::Odbc;
    if (!databasePath_->text().isEmpty() && !isServer)
        startFolder = current.isDir() ? current.absoluteFilePath() : current.absolutePath();
    const OpenFileRequest request{
        databaseCaption_->text(),
        startFolder,
        u"Access データベース (*.mdb *.accdb);;Excel ブック (*.xlsx *.xls);;"
        u"テキストファイル (*.csv *.txt *.tsv);;すべてのファイル (*)"_qs,
    };
    const std::optional<QString> chosen = context().fileDialogs->openFile(this, request);
    if (!chosen)
        return;
    // A text file is a table of the folder it lies in: the folder is the
    // database, the file the table.
    const QFileInfo file(*chosen);
    static const QStringList textSuffixes{u"csv"_qs, u"txt"_qs, u"tsv"_qs};
    if (textSuffixes.contains(file.suffix(), Qt::CaseInsensitive)) {
        databasePath_->setText(file.path());
        tableName_->setText(file.fileName());
    } else {
        databasePath_->setText(*chosen);
    }
    // A workbook's table is a sheet: the one the operator named stays; with
    // none named, the first. A workbook that cannot be read is reported by
    // the connection test, not here.
    if (isWorkbookPath(*chosen) && tableName_->text().trimmed().isEmpty()) {
        try {
            const QStringList sheets = workbookSheetNames(*chosen);
            if (!sheets.isEmpty())
                tableName_->setText(sheets.first());
        } catch (const Error&) {
        }
    }
}

void DataSourceScreen::saveAndTest()
{
    if (!acceptTypedSettings())
        return;
    try {
        writeDataSource(*context().settings, typedSettings());

        // The test runs on what the file holds, read back the way the print
        // runs read it, and shows it.
        const DataSourceSettings stored = readDataSourceRows(*context().settings);
        readBackDatabase_->setText(stored.databasePath);
        readBackTable_->setText(stored.table);
        readBackSelect_->setText(stored.selectText);

        const qint64 count = countDataSourceRecords(*context().databases, stored);
        countResult_->setText(QString::number(count));

        // A negative count: the database was reached but gave no count for the query.
        if (count >= 0)
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
    databasePath_->clear();
    tableName_->clear();
    selectText_->clear();
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
