#pragma once
// A file's bytes as a test reads and writes them, past the code under test.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace numsift::testdata {

// The file's bytes; empty when it cannot be read.
inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace numsift::testdata
