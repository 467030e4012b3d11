#include "common/ui/japanese_file_columns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace qb {
namespace {

enum Column { kName, kSize, kType, kModified };

QString Grouped(qint64 value) { return QLocale(QLocale::Japanese, QLocale::Japan).toString(value); }

}  // namespace

QString JapaneseFileType(const QFileInfo& file) {
  if (file.isDir()) return QStringLiteral("フォルダー");
  const QString suffix = file.suffix();
  return suffix.isEmpty() ? QStringLiteral("ファイル") : suffix.toUpper() + QStringLiteral(" ファイル");
}

QString JapaneseFileSize(qint64 bytes) {
  constexpr qint64 kKilobyte = 1024;
  if (bytes < kKilobyte) return Grouped(bytes) + QStringLiteral(" バイト");
  return Grouped((bytes + kKilobyte - 1) / kKilobyte) + QStringLiteral(" KB");
}

QString JapaneseFileDate(const QDateTime& modified) {
  return modified.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QVariant JapaneseFileColumns::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || files == nullptr || index.column() == kName) {
    return QIdentityProxyModel::data(index, role);
  }
  const QFileInfo file = files->fileInfo(mapToSource(index));
  switch (index.column()) {
    case kSize: return file.isDir() ? QString() : JapaneseFileSize(file.size());
    case kType: return JapaneseFileType(file);
    case kModified: return JapaneseFileDate(file.lastModified());
    default: return QIdentityProxyModel::data(index, role);
  }
}

QVariant JapaneseFileColumns::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
    switch (section) {
      case kName: return QStringLiteral("名前");
      case kSize: return QStringLiteral("サイズ");
      case kType: return QStringLiteral("種類");
      case kModified: return QStringLiteral("更新日時");
      default: break;
    }
  }
  return QIdentityProxyModel::headerData(section, orientation, role);
}

}  // namespace qb
