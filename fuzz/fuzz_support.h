#pragma once

#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: a Qt application object, a scratch folder and a way to
// stop on a broken promise so that libFuzzer keeps the input.
namespace Fuzz {

// Creates the QCoreApplication once (the SQL driver plugins need it).
void InitQt();

// A scratch folder for the whole fuzzing session.
const QTemporaryDir &Scratch();

// Writes the input bytes to path, replacing what was there.
void WriteInput(const QString &path, const uint8_t *data, size_t size);

// Stops the run with a message when a promise of the code under test is broken.
void Expect(bool condition, const char *what);

} // namespace Fuzz
