#pragma once

#include <QString>

// Copies a file over whatever lies at the target. QFile::copy goes through a temporary file
// and a rename, which costs about a millisecond per picture; thousands of pictures need a
// plain copy. A failed copy leaves no partial target behind.
bool CopyFileOver(const QString &source, const QString &target);
