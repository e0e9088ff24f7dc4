#include "mdbwriter.h"

#include "catalog.h"
#include "headerpage.h"
#include "jetformat.h"
#include "longvaluestore.h"
#include "pagefile.h"
#include "platform/error.h"
#include "rowencoder.h"
#include "tabledatawriter.h"
#include "tabledefinition.h"
#include "usagemap.h"
#include "valueencoding.h"

#include <QSet>

#include <vector>

namespace hakobee::mdbwriter {

namespace {

// Usage-map rows live on data pages owned by no table. Two rows per table
// (used pages, free pages); the pages are reserved before the data so that
// table definitions can point at them.
class UsageMapPages
{
public:
    // Takes the next page, and further pages once reserve() is called.
    explicit UsageMapPages(PageFile& file) { pages_.emplace_back(file.allocate(), 0); }

    void reserve(PageFile& file, int rowsNeeded)
    {
        const int pageCount = (rowsNeeded + RowsPerPage - 1) / RowsPerPage;
        while (int(pages_.size()) < pageCount)
            pages_.emplace_back(file.allocate(), 0);
    }

    quint32 place(const QByteArray& row)
    {
        DataPage& page = pages_[next_ / RowsPerPage];
        ++next_;
        return jet::rowPointer(page.number(), page.add(row));
    }

    void write(PageFile& file) const
    {
        for (const DataPage& page : pages_)
            file.write(page.number(), page.bytes());
    }

private:
    // Every map row is 69 bytes, plus its 2-byte offset.
    static constexpr int RowsPerPage = (jet::PageSize - jet::DataPageHeaderSize) / (69 + 2);

    std::vector<DataPage> pages_;
    int next_ = 0;
};

struct PlannedTable
{
    const Table* source = nullptr; // null for the catalog
    QString name;
    TableLayout layout;
    quint32 definitionPage = 0;
};

void checkTableNames(const QList<Table>& tables)
{
    QSet<QString> seen{catalogTableName().toCaseFolded()};
    for (const Table& table : tables) {
        if (seen.contains(table.name.toCaseFolded()))
            throw Error(QStringLiteral("テーブル名「%1」が重複しています。").arg(table.name));
        seen.insert(table.name.toCaseFolded());
        if (table.rowCount < 0 || (table.rowCount > 0 && !table.rowAt))
            throw Error(
                QStringLiteral("テーブル「%1」の行の指定が正しくありません。").arg(table.name));
    }
}

} // namespace

void writeDatabase(const QString& path, const QList<Table>& tables)
{
    checkTableNames(tables);
    std::vector<PlannedTable> planned;
    planned.push_back({nullptr, catalogTableName(), catalogLayout(), 0});
    for (const Table& table : tables)
        planned.push_back({&table, table.name, layoutTable(table.name, table.columns), 0});

    const QDateTime created = QDateTime::currentDateTime();
    PageFile file(path);
    const quint32 headerPage = file.allocate();
    // Readers find the catalog's definition on page 2, so page 1 is the first
    // page of usage maps; more follow the table definitions when needed.
    UsageMapPages maps(file);
    for (PlannedTable& table : planned)
        table.definitionPage = file.allocate();
    Q_ASSERT(headerPage == 0 && planned.front().definitionPage == 2);
    maps.reserve(file, 2 * int(planned.size()));

    LongValueStore longValues(file);
    std::vector<TableDefinition> definitions;
    for (const PlannedTable& table : planned) {
        RowEncoder encoder(table.name, table.layout, longValues);
        TableDataWriter writer(file, encoder, table.definitionPage);
        QList<Value> values;
        if (!table.source) {
            writer.append(
                0, catalogRow({catalogTableName(), planned.front().definitionPage, true}, created));
            for (std::size_t i = 1; i < planned.size(); ++i)
                writer.append(qint64(i),
                              catalogRow({planned[i].name, planned[i].definitionPage}, created));
        } else {
            const auto columnCount = table.layout.columns.size();
            for (qint64 row = 0; row < table.source->rowCount; ++row) {
                values.clear();
                values.resize(columnCount);
                table.source->rowAt(row, values);
                writer.append(row, values,
                              table.source->slotsAt ? table.source->slotsAt(row) : RowSlots{});
            }
            writer.appendDeleted(table.source->rowCount, table.source->deletedAfterLastRow);
        }
        writer.finish();

        TableDefinition definition;
        definition.layout = table.layout;
        definition.systemTable = !table.source;
        definition.rowCount = writer.rowCount();
        definition.usedPagesMap = maps.place(usageMapRow(writer.pages(), file));
        definition.freePagesMap = maps.place(emptyUsageMapRow());
        definitions.push_back(definition);
    }
    longValues.finish();

    for (std::size_t i = 0; i < planned.size(); ++i)
        file.write(planned[i].definitionPage, tableDefinitionPage(planned[i].name, definitions[i]));
    maps.write(file);
    file.write(headerPage, databaseDefinitionPage(jetDateTime(created)));
    file.commit();
}

} // namespace hakobee::mdbwriter
