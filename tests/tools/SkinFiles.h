#pragma once
// Reading back the files skingen writes: whole files, and little-endian fields of their headers.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstring>

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The field of type T at offset, in the machine's (little-endian) byte order.
template <typename T>
T Field(const QByteArray& bytes, int offset) {
    T value{};
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return value;
}
