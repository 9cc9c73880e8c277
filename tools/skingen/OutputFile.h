#pragma once
// Writing the generator's files: unchanged contents leave a file (and its time stamp) alone, so a
// rebuild of the generator does not make everything downstream rebuild.

#include <QByteArray>
#include <QString>

namespace SkinGen {

// Creates the folder when needed; throws std::runtime_error when the file cannot be written.
void WriteFileIfChanged(const QString& path, const QByteArray& contents);

// Always writes, so the file's time stamp marks the generator's last run.
void WriteFile(const QString& path, const QByteArray& contents);

} // namespace SkinGen
