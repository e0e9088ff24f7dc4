#include "platform/workbook/xlsbook.h"

#include "core/error.h"
#include "platform/workbook/cellvalues.h"
#include "platform/workbook/sheetcolumns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <freexl.h>

namespace hakobee {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// What the operator can do with a workbook this program cannot read: Excel
// still opens it, and saves it in a form that reads.
const QString saveItAgain =
    u"Excel で開いて「名前を付けて保存」から「Excel ブック (*.xlsx)」か CSV で保存し、"
    u"そのファイルを指定してください。"_qs;

// FreeXL's name for its error code, for whoever looks into the file.
QString freexlCode(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return u"FREEXL_FILE_NOT_FOUND"_qs;
    case FREEXL_INSUFFICIENT_MEMORY:
        return u"FREEXL_INSUFFICIENT_MEMORY"_qs;
    case FREEXL_INVALID_CFBF_HEADER:
        return u"FREEXL_INVALID_CFBF_HEADER"_qs;
    case FREEXL_CFBF_READ_ERROR:
        return u"FREEXL_CFBF_READ_ERROR"_qs;
    case FREEXL_CFBF_SEEK_ERROR:
        return u"FREEXL_CFBF_SEEK_ERROR"_qs;
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return u"FREEXL_CFBF_INVALID_SIGNATURE"_qs;
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
        return u"FREEXL_CFBF_INVALID_SECTOR_SIZE"_qs;
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
        return u"FREEXL_CFBF_EMPTY_FAT_CHAIN"_qs;
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
        return u"FREEXL_CFBF_ILLEGAL_FAT_ENTRY"_qs;
    case FREEXL_BIFF_INVALID_BOF:
        return u"FREEXL_BIFF_INVALID_BOF"_qs;
    case FREEXL_BIFF_INVALID_SST:
        return u"FREEXL_BIFF_INVALID_SST"_qs;
    case FREEXL_BIFF_ILLEGAL_SST_INDEX:
        return u"FREEXL_BIFF_ILLEGAL_SST_INDEX"_qs;
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return u"FREEXL_BIFF_WORKBOOK_NOT_FOUND"_qs;
    case FREEXL_INVALID_CHARACTER:
        return u"FREEXL_INVALID_CHARACTER"_qs;
    case FREEXL_UNSUPPORTED_CHARSET:
        return u"FREEXL_UNSUPPORTED_CHARSET"_qs;
    case FREEXL_ILLEGAL_RK_VALUE:
        return u"FREEXL_ILLEGAL_RK_VALUE"_qs;
    case FREEXL_INVALID_MINI_STREAM:
        return u"FREEXL_INVALID_MINI_STREAM"_qs;
    case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
        return u"FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY"_qs;
    case FREEXL_CRAFTED_FILE:
        return u"FREEXL_CRAFTED_FILE"_qs;
    default:
        return u"FreeXL %1"_qs.arg(code);
    }
}

Error passwordRefusal(const QString& path)
{
    return Error(u"ブック「%1」はパスワードで保護されていて読めません。"
                 u"Excel でパスワードを外して保存し直すか、"_qs.arg(shown(path)) +
                 saveItAgain);
}

Error openFailure(const QString& path, int code)
{
#ifdef FREEXL_CRYPTED_FILE
    if (code == FREEXL_CRYPTED_FILE)
        return passwordRefusal(path);
#endif
    const QString why = u"\n(%1)"_qs.arg(freexlCode(code));
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return Error(u"ブック「%1」が見つかりません。"_qs.arg(shown(path)) + why);
    case FREEXL_INSUFFICIENT_MEMORY:
        return Error(u"ブック「%1」を読むメモリーが足りません。"_qs.arg(shown(path)) + why);
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        // Not a compound file at all: often an .xlsx or a CSV file that
        // was given the .xls name.
        return Error(
            u"ブック「%1」は Excel 97-2003 ブック (.xls) の形式ではありません。"
            u"別の形式のファイルに .xls の名前が付いているか、壊れています。"_qs.arg(shown(path)) +
            saveItAgain + why);
    case FREEXL_BIFF_INVALID_BOF:
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
    case FREEXL_UNSUPPORTED_CHARSET:
        // Excel 2.1 to 4.0 files, and ones whose text encoding has no
        // converter here.
        return Error(u"ブック「%1」は読めない形式の .xls ブックです。"_qs.arg(shown(path)) +
                     saveItAgain + why);
    default:
        return Error(u"ブック「%1」を読めません。ファイルが壊れています。"
                     u"元のファイルをコピーし直すか、"_qs.arg(shown(path)) +
                     saveItAgain + why);
    }
}

bool isProtected(const void* handle)
{
    unsigned int password = 0;
    return freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
           password == FREEXL_BIFF_OBFUSCATED;
}

} // namespace

bool isXlsPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(u"xls"_qs, Qt::CaseInsensitive) == 0;
}

void XlsBook::Closer::operator()(const void* handle) const
{
    freexl_close(handle);
}

XlsBook::XlsBook(const QString& path, bool sheetsOnly) : path_(path)
{
    const QByteArray name = QFile::encodeName(path);
    const void* opened = nullptr;
    const int rc = sheetsOnly ? freexl_open_info(name.constData(), &opened)
                              : freexl_open(name.constData(), &opened);
    // Closed even when the opening failed, as FreeXL asks.
    handle_.reset(opened);
    if (rc != FREEXL_OK)
        throw openFailure(path, rc);
    // A workbook encrypted with a password to open (Excel's "読み取りパス
    // ワード", LibreOffice's "パスワードを付けて保存"): FreeXL 1.0 opens it
    // as FREEXL_OK without a handle, FreeXL 2 refuses it as
    // FREEXL_CRYPTED_FILE.
    if (!handle_ || isProtected(handle_.get()))
        throw passwordRefusal(path);
    unsigned int count = 0;
    freexl_get_info(handle_.get(), FREEXL_BIFF_SHEET_COUNT, &count);
    for (unsigned int sheet = 0; sheet < count; ++sheet) {
        const char* sheetName = nullptr;
        if (freexl_get_worksheet_name(handle_.get(), static_cast<unsigned short>(sheet),
                                      &sheetName) != FREEXL_OK ||
            !sheetName)
            throw openFailure(path, FREEXL_BIFF_ILLEGAL_SHEET_INDEX);
        sheetNames_ << QString::fromUtf8(sheetName);
    }
}

void XlsBook::select(int sheet) const
{
    if (selected_ == sheet)
        return;
    const int rc =
        freexl_select_active_worksheet(handle_.get(), static_cast<unsigned short>(sheet));
    if (rc != FREEXL_OK)
        throw openFailure(path_, rc);
    selected_ = sheet;
}

quint32 XlsBook::rowCount(int sheet) const
{
    select(sheet);
    unsigned int rows = 0;
    unsigned short columns = 0;
    freexl_worksheet_dimensions(handle_.get(), &rows, &columns);
    return rows;
}

int XlsBook::columnCount(int sheet) const
{
    select(sheet);
    unsigned int rows = 0;
    unsigned short columns = 0;
    freexl_worksheet_dimensions(handle_.get(), &rows, &columns);
    return columns;
}

TableValue XlsBook::cell(int sheet, quint32 row, int column) const
{
    select(sheet);
    FreeXL_CellValue value{};
    const int rc =
        freexl_get_cell_value(handle_.get(), row, static_cast<unsigned short>(column), &value);
    const auto failure = [&](const QString& what) {
        return Error(u"ブック「%1」のシート「%2」の %3 行目: セル %4 %5"_qs
                         .arg(shown(path_), sheetNames_.value(sheet))
                         .arg(row + 1)
                         .arg(columnLetters(column) + QString::number(row + 1), what));
    };
    if (rc != FREEXL_OK)
        throw failure(u"を読めません。ファイルが壊れています。\n(%1)"_qs.arg(freexlCode(rc)));
    switch (value.type) {
    case FREEXL_CELL_INT:
        return qint64(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return numberValue(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QString::fromUtf8(value.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const QString text = QString::fromUtf8(value.value.text_value);
        if (std::optional<TableValue> date = isoDateCellValue(text))
            return *date;
        throw failure(u"の日付「%1」を読めません。"_qs.arg(text));
    }
    default:
        return {};
    }
}

} // namespace hakobee
