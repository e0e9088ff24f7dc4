// text-source-workbook FILE ROWS [shared]
// Writes the text-source benchmark's rows as an .xlsx workbook, as a shop's
// product list in Excel holds them: the JAN code a number, the names texts,
// the price a number. libxlsxwriter's constant-memory mode writes each row
// as it comes, its texts inline; with "shared" the texts go into the
// shared-string table, as Excel itself saves them (the whole workbook is
// then held in memory while it is written).
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ean13(long n)
{
    char body[24];
    std::snprintf(body, sizeof body, "490%09ld", n % 1'000'000'000);
    int total = 0;
    for (int i = 0; i < 12; ++i)
        total += (body[i] - '0') * (i % 2 ? 3 : 1);
    return std::string(body) + char('0' + (10 - total % 10) % 10);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "shared")) {
        std::fprintf(stderr, "usage: text-source-workbook FILE ROWS [shared]\n");
        return 2;
    }
    const long rows = std::strtol(argv[2], nullptr, 10);
    lxw_workbook_options options{};
    options.constant_memory = argc == 4 ? LXW_FALSE : LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(argv[1], &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Master");
    const char* names[] = {"bar", "hi", "mei", "as2"};
    for (lxw_col_t column = 0; column < 4; ++column)
        worksheet_write_string(sheet, 0, column, names[column], nullptr);
    char text[64];
    for (long n = 0; n < rows; ++n) {
        const lxw_row_t row = lxw_row_t(n + 1);
        worksheet_write_number(sheet, row, 0, std::strtod(ean13(n).c_str(), nullptr), nullptr);
        std::snprintf(text, sizeof text, "緑茶 %ld 本入り", n);
        worksheet_write_string(sheet, row, 1, text, nullptr);
        std::snprintf(text, sizeof text, "ﾘｮｸﾁｬ %ld", n);
        worksheet_write_string(sheet, row, 2, text, nullptr);
        worksheet_write_number(sheet, row, 3, double(100 + n % 900), nullptr);
    }
    if (workbook_close(workbook) != LXW_NO_ERROR) {
        std::fprintf(stderr, "text-source-workbook: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
