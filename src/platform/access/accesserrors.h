#pragma once

#include "core/error.h"

#include <QString>
#include <QStringList>

// The descriptions of every failure of the Access database backend: one
// Japanese sentence that says what is wrong and names the file, table or
// column, then on its own line the message of the engine that found it.
namespace hakobee::accesserror {

Error fileMissing(const QString& path, const QString& engine);
Error isFolder(const QString& path, const QString& engine);
Error cannotOpen(const QString& path, const QString& engine);
Error notAccessDatabase(const QString& path, const QString& engine);
Error damaged(const QString& path, const QString& engine);
// A file that needs its password: one with a database password, or
// (encrypted) one whose pages are encrypted with it.
Error passwordProtected(const QString& path, bool encrypted, const QString& engine);
// The file was written over while it was being read.
Error changedWhileRead(const QString& path);
Error tableDamaged(const QString& path, const QString& table, const QString& engine);
Error noSuchTable(const QString& path, const QString& table, const QString& engine);
// A saved query whose definition cannot be read from the file.
Error queryUnreadable(const QString& path, const QString& query, const QString& engine);
// A saved query of a kind that gives no rows to print (kind: "更新クエリ",
// "パラメータークエリ", ...).
Error queryNotLabelSource(const QString& query, const QString& kind, const QString& engine);
// A union query whose stored text this backend cannot run.
Error unionCannotRun(const QString& query, const QString& engine);
// A saved select query that fails when it runs.
Error queryCannotRun(const QString& path, const QString& query, const QString& engine);
// A saved query built on another one that cannot be a label source.
Error queryUsesUnusable(const QString& query, const QString& used, const QString& engine);
Error noSuchColumn(const QString& path, const QString& column, const QString& engine);
// Linked tables; link is the name the table has in the file that links it.
// A connect string is shown with its password left out.
Error odbcLink(const QString& link, const QString& connect);
Error otherSourceLink(const QString& link, const QString& connect);
// No linked file at any of the paths tried (none: the link names no file).
Error linkedFileMissing(const QString& link, const QStringList& triedPaths);
// The linked file at path was found but cannot be read, for the reason given.
Error linkedFileUnreadable(const QString& link, const QString& path, const Error& why);
Error linkedTableMissing(const QString& link, const QString& path, const QString& foreignName);
// Following the links comes back to a table already passed (chain: each
// step as "file: table").
Error linkCycle(const QString& link, const QStringList& chain);
Error queryNotUnderstood(const QString& query, const QString& engine);
Error queryFailed(const QString& query, const QString& engine);
Error unsupportedFunction(const QString& query, const QString& function, const QString& engine);
Error onlySelect(const QString& query, const QString& engine);
Error emptyResult();
Error noCurrentRecord();
Error noSuchField(const QString& name);
Error noSuchFieldPosition(int position, int fieldCount);

} // namespace hakobee::accesserror
