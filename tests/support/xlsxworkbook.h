#pragma once

// Writes .xlsx workbooks for tests with libxlsxwriter, the way Excel lays
// them out: shared strings, styles, formulas with their cached results.
// Tests that include it link PkgConfig::XLSXWRITER.

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <xlsxwriter.h>

namespace hakobee::test {

class XlsxWorkbook
{
public:
    // constantMemory: rows are written straight to the file, strings
    // inline, as for a million rows.
    explicit XlsxWorkbook(const QString& path, bool constantMemory = false)
    {
        lxw_workbook_options options{};
        options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
        workbook_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        date_ = workbook_add_format(workbook_);
        format_set_num_format(date_, "yyyy/mm/dd");
        builtInDate_ = workbook_add_format(workbook_);
        format_set_num_format_index(builtInDate_, 14);
        dateTime_ = workbook_add_format(workbook_);
        format_set_num_format(dateTime_, "yyyy/mm/dd h:mm:ss");
    }
    ~XlsxWorkbook()
    {
        if (workbook_)
            workbook_close(workbook_);
    }
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // Adds a sheet; the writes that follow go to it.
    XlsxWorkbook& sheet(const QString& name)
    {
        sheet_ = workbook_add_worksheet(workbook_, name.toUtf8().constData());
        return *this;
    }
    XlsxWorkbook& text(int row, int column, const QString& value)
    {
        worksheet_write_string(sheet_, lxw_row_t(row), lxw_col_t(column),
                               value.toUtf8().constData(), nullptr);
        return *this;
    }
    XlsxWorkbook& number(int row, int column, double value)
    {
        worksheet_write_number(sheet_, lxw_row_t(row), lxw_col_t(column), value, nullptr);
        return *this;
    }
    // A date under the format "yyyy/mm/dd", or under Excel's built-in date
    // format 14.
    XlsxWorkbook& date(int row, int column, QDate value, bool builtInFormat = false)
    {
        lxw_datetime moment{value.year(), value.month(), value.day(), 0, 0, 0};
        worksheet_write_datetime(sheet_, lxw_row_t(row), lxw_col_t(column), &moment,
                                 builtInFormat ? builtInDate_ : date_);
        return *this;
    }
    // A moment under the format "yyyy/mm/dd h:mm:ss".
    XlsxWorkbook& dateTime(int row, int column, const QDateTime& value)
    {
        const QDate day = value.date();
        const QTime time = value.time();
        lxw_datetime moment{day.year(),  day.month(),   day.day(),
                            time.hour(), time.minute(), double(time.second())};
        worksheet_write_datetime(sheet_, lxw_row_t(row), lxw_col_t(column), &moment, dateTime_);
        return *this;
    }
    // A formula with the result Excel cached for it when it saved.
    XlsxWorkbook& formula(int row, int column, const QString& formula, double cached)
    {
        worksheet_write_formula_num(sheet_, lxw_row_t(row), lxw_col_t(column),
                                    formula.toUtf8().constData(), nullptr, cached);
        return *this;
    }
    XlsxWorkbook& boolean(int row, int column, bool value)
    {
        worksheet_write_boolean(sheet_, lxw_row_t(row), lxw_col_t(column), value, nullptr);
        return *this;
    }

    // Writes the file; false when it failed.
    bool close()
    {
        const lxw_error error = workbook_close(workbook_);
        workbook_ = nullptr;
        return error == LXW_NO_ERROR;
    }

private:
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* date_ = nullptr;
    lxw_format* builtInDate_ = nullptr;
    lxw_format* dateTime_ = nullptr;
};

} // namespace hakobee::test
