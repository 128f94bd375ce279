#pragma once

#include <QString>

// Names that shop files give pictures and descriptions come from other machines: a name is
// used as a file name only when it cannot reach outside the folder it is joined to.
bool IsPlainFileName(const QString &name);
// The file name part of a stored path, after its last "/", "\" or ":" (Windows paths too).
QString FileNamePart(const QString &path);
