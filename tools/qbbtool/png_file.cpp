#include "tools/qbbtool/png_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qbbtool {

QByteArray PngData(const QImage& picture) {
  QByteArray data;
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return {};
  return data;
}

bool WritePngFile(const QImage& picture, const QString& path) {
  const QByteArray data = PngData(picture);
  if (data.isEmpty()) return false;
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

bool PublishPngFile(const QImage& picture, const QString& path) {
  const QFileInfo target(path);
  if (target.exists() && !target.isFile() && !target.isDir()) return WritePngFile(picture, path);
  const QByteArray data = PngData(picture);
  if (data.isEmpty()) return false;
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

}  // namespace qbbtool
