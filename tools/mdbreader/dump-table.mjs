// node dump-table.mjs FILE [TABLE [COLUMN,COLUMN...]]
// Prints a table of an Access file through the mdb-reader library, as JSON
// lines: first {"tables": [...], "columns": [{name, type}...], "rowCount"},
// then one array of values per row (of the named columns only, if given). Without TABLE only the first line, with
// the table names, is printed. Dates print as ISO text (UTC, as mdb-reader
// decodes them); Currency and Decimal as mdb-reader's decimal text.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

// Non-ASCII characters are written as \u escapes, so the reading side gets
// every character (a leading U+FEFF included) exactly as mdb-reader gave it.
function asciiJson(value) {
    return JSON.stringify(value).replace(
        /[\u007f-\uffff]/g,
        (c) => "\\u" + c.charCodeAt(0).toString(16).padStart(4, "0"),
    );
}

const [file, tableName, columnList] = process.argv.slice(2);
if (!file) {
    process.stderr.write("usage: node dump-table.mjs FILE [TABLE]\n");
    process.exit(2);
}

try {
    const reader = new MDBReader(readFileSync(file));
    const tables = reader.getTableNames();
    if (!tableName) {
        process.stdout.write(asciiJson({ tables }) + "\n");
        process.exit(0);
    }
    const table = reader.getTable(tableName);
    const columns = table.getColumns().map((c) => ({ name: c.name, type: c.type }));
    const lines = [asciiJson({ tables, columns, rowCount: table.rowCount })];
    const names = columnList ? columnList.split(",") : columns.map((c) => c.name);
    for (const row of table.getData({ columns: names })) {
        lines.push(
            asciiJson(
                names.map((name) => {
                    const value = row[name];
                    return value instanceof Date ? value.toISOString() : value;
                }),
            ),
        );
    }
    process.stdout.write(lines.join("\n") + "\n");
} catch (error) {
    process.stderr.write(`mdb-reader: ${error.message}\n`);
    process.exit(1);
}
