#pragma once

#include "cli_commands.h"

class Home;
class TDm;

// Prints the problem and the command's synopsis; returns the usage exit code.
int usage(const CliContext &context, const QString &problem, const QString &synopsis);
// Brings up the store of a home, reporting the failure on stderr.
bool openStore(const CliContext &context, const Home &home, TDm &dm);
