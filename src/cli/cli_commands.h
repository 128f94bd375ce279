#pragma once

#include <QStringList>
#include <QTextStream>

class Home;

// Exit codes of rowshift-cli.
enum CliExit { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

struct CliContext
{
    const Home &home;
    QTextStream &out;
    QTextStream &err;
};

int runCategories(const CliContext &context, const QStringList &args);
int runImport(const CliContext &context, const QStringList &args);
int runImportDir(const CliContext &context, const QStringList &args);
int runExport(const CliContext &context, const QStringList &args);
int runExportTree(const CliContext &context, const QStringList &args);
// homeGiven: --home was given, so the import stays in that home instead of a temporary one.
int runConvert(const CliContext &context, const QStringList &args, bool homeGiven);
