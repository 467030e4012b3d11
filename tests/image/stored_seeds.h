#pragma once
// The fuzz targets' seed corpora are files the fixture generators made. A
// seed test reads each stored seed to compare it with what its generator
// makes now; with the named environment variable set it first rewrites the
// seed from the generator.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdlib>

namespace qb::seeds {

// The bytes of fuzz/corpus/CORPUS/NAME, after rewriting them from made when
// writeVariable is set.
inline QByteArray Stored(const char* corpus, const char* name, const QByteArray& made, const char* writeVariable) {
  const QString path =
      QStringLiteral(QB_SOURCE_DIR "/fuzz/corpus/%1/%2").arg(QString::fromLatin1(corpus), QString::fromLatin1(name));
  QFile file(path);
  if (std::getenv(writeVariable) != nullptr) {
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(made);
    file.close();
  }
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

}  // namespace qb::seeds
