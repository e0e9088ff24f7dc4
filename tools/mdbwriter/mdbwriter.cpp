#include "mdbwriter.h"

#include "catalog.h"
#include "core/error.h"
#include "headerpage.h"
#include "jetformat.h"
#include "longvaluestore.h"
#include "pagefile.h"
#include "querycatalog.h"
#include "rowencoder.h"
#include "tabledatawriter.h"
#include "tabledefinition.h"
#include "tablelink.h"
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
    UsageMapPages(PageFile& file, const jet::Format& format)
        : format_(format), rowsPerPage_((format.pageSize - format.dataPageHeaderSize) / (69 + 2))
    {
        pages_.emplace_back(file.allocate(), 0, format_);
    }

    void reserve(PageFile& file, int rowsNeeded)
    {
        const int pageCount = (rowsNeeded + rowsPerPage_ - 1) / rowsPerPage_;
        while (int(pages_.size()) < pageCount)
            pages_.emplace_back(file.allocate(), 0, format_);
    }

    quint32 place(const QByteArray& row)
    {
        DataPage& page = pages_[next_ / rowsPerPage_];
        ++next_;
        return jet::rowPointer(page.number(), page.add(row));
    }

    void write(PageFile& file) const
    {
        for (const DataPage& page : pages_)
            file.write(page.number(), page.bytes());
    }

private:
    jet::Format format_;
    // Every map row is 69 bytes, plus its 2-byte offset.
    int rowsPerPage_;
    std::vector<DataPage> pages_;
    int next_ = 0;
};

struct PlannedTable
{
    const Table* source = nullptr; // null for the catalog
    QString name;
    TableLayout layout;
    quint32 definitionPage = 0;
    bool system = false; // a system table other than the catalog
};

void checkTableNames(const QList<Table>& tables, const QList<TableLink>& links,
                     const jet::Format& format)
{
    QSet<QString> seen{catalogTableName().toCaseFolded()};
    for (const TableLink& link : links) {
        if (link.name.isEmpty() || seen.contains(link.name.toCaseFolded()))
            throw Error(u"リンクテーブル名「%1」が正しくありません。"_qs.arg(link.name));
        seen.insert(link.name.toCaseFolded());
    }
    for (const Table& table : tables) {
        if (seen.contains(table.name.toCaseFolded()))
            throw Error(u"テーブル名「%1」が重複しています。"_qs.arg(table.name));
        seen.insert(table.name.toCaseFolded());
        if (table.rowCount < 0 || (table.rowCount > 0 && !table.rowAt))
            throw Error(u"テーブル「%1」の行の指定が正しくありません。"_qs.arg(table.name));
        for (const Column& column : table.columns) {
            if (format.jet3() && column.type == ColumnType::Decimal)
                throw Error(u"テーブル「%1」の列「%2」: Jet 3 (Access 97) "
                            u"には十進型がありません。"_qs.arg(table.name, column.name));
        }
    }
}

} // namespace

jet::Format jet::Format::of(const FileOptions& options)
{
    Format format;
    format.file = options.format;
    if (options.format == FileFormat::Jet3) {
        format.pageSize = 2048;
        format.dataPageHeaderSize = 10;
        format.dataPageRowCountOffset = 8;
        format.codePage = options.codePage;
    }
    return format;
}

namespace {

// Every public form below writes through this one.
void writeDatabaseWith(const QString& path, const QList<Table>& tables,
                       const QList<SavedQuery>& queries, const QList<TableLink>& links,
                       const FileOptions& options);

} // namespace

void writeDatabase(const QString& path, const QList<Table>& tables, const FileOptions& options)
{
    writeDatabaseWith(path, tables, {}, {}, options);
}

void writeDatabase(const QString& path, const QList<Table>& tables,
                   const QList<SavedQuery>& queries, const FileOptions& options)
{
    writeDatabaseWith(path, tables, queries, {}, options);
}

void writeDatabase(const QString& path, const QList<Table>& tables, const QList<TableLink>& links,
                   const FileOptions& options)
{
    writeDatabaseWith(path, tables, {}, links, options);
}

namespace {

void writeDatabaseWith(const QString& path, const QList<Table>& tables,
                       const QList<SavedQuery>& queries, const QList<TableLink>& links,
                       const FileOptions& options)
{
    const jet::Format format = jet::Format::of(options);
    checkTableNames(tables, links, format);
    std::vector<PlannedTable> planned;
    planned.push_back({nullptr, catalogTableName(), catalogLayout(), 0});
    for (const Table& table : tables)
        planned.push_back({&table, table.name, layoutTable(table.name, table.columns), 0});
    // The queries' parts: a system table like the catalog, beside the tables.
    const QList<QList<Value>> queryRows = queryTableRows(queries);
    Table queryTable;
    if (!queries.isEmpty()) {
        QStringList tableNames;
        for (const Table& table : tables)
            tableNames.append(table.name);
        checkQueryNames(queries, tableNames);
        queryTable.name = queryTableName();
        queryTable.columns = queryTableColumns();
        queryTable.rowCount = queryRows.size();
        queryTable.rowAt = [&](qint64 row, QList<Value>& values) {
            values = queryRows.at(row);
        };
        planned.push_back({&queryTable, queryTable.name,
                           layoutTable(queryTable.name, queryTable.columns), 0, true});
    }

    const QDateTime created = QDateTime::currentDateTime();
    // ACE's encryption is Office's, keyed by the password: its key in the
    // header says so, but the pages are left as they are.
    PageFile file(path, format.pageSize,
                  options.format == FileFormat::Ace ? 0 : options.encodingKey);
    const quint32 headerPage = file.allocate();
    // Readers find the catalog's definition on page 2, so page 1 is the first
    // page of usage maps; more follow the table definitions when needed.
    UsageMapPages maps(file, format);
    for (PlannedTable& table : planned)
        table.definitionPage = file.allocate();
    Q_ASSERT(headerPage == 0 && planned.front().definitionPage == 2);
    maps.reserve(file, 2 * int(planned.size()));

    LongValueStore longValues(file, format);
    std::vector<TableDefinition> definitions;
    for (const PlannedTable& table : planned) {
        RowEncoder encoder(table.name, table.layout, longValues, format);
        TableDataWriter writer(file, encoder, table.definitionPage, format);
        QList<Value> values;
        if (!table.source) {
            writer.append(
                0, catalogRow({catalogTableName(), planned.front().definitionPage, true}, created));
            for (std::size_t i = 1; i < planned.size(); ++i)
                writer.append(qint64(i), catalogRow({planned[i].name, planned[i].definitionPage,
                                                     planned[i].system},
                                                    created));
            qint64 next = qint64(planned.size());
            for (int i = 0; i < queries.size(); ++i)
                writer.append(next++, queryCatalogRow(catalogRow({queries.at(i).name, 0}, created),
                                                      table.layout, i, queries.at(i)));
            for (int i = 0; i < int(links.size()); ++i)
                writer.append(next++, catalogLinkRow(links[i], i, created));
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
        definition.systemTable = !table.source || table.system;
        definition.rowCount = writer.rowCount();
        definition.usedPagesMap = maps.place(usageMapRow(writer.pages(), file, format));
        definition.freePagesMap = maps.place(emptyUsageMapRow());
        definitions.push_back(definition);
    }
    longValues.finish();

    for (std::size_t i = 0; i < planned.size(); ++i)
        file.write(planned[i].definitionPage,
                   tableDefinitionPage(planned[i].name, definitions[i], format));
    maps.write(file);
    file.write(headerPage, databaseDefinitionPage(jetDateTime(created), format, options));
    file.commit();
}

} // namespace

} // namespace hakobee::mdbwriter
