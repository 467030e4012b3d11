#pragma once
// The file dialog's detail columns in Japanese, as the rest of the dialog
// is: Qt's file model names types ("Folder", "qbb File"), sizes and dates in
// English whatever translation is installed.

#include <QDateTime>
#include <QFileInfo>
#include <QIdentityProxyModel>
#include <QString>

namespace qb {

// "フォルダー" for a folder, "QBB ファイル" for a file with an extension,
// "ファイル" for one without.
QString JapaneseFileType(const QFileInfo& file);

// "0 バイト" to "1,023 バイト", then whole kilobytes rounded up: "1 KB",
// "1,235 KB".
QString JapaneseFileSize(qint64 bytes);

// "2026/12/09 14:05", in local time.
QString JapaneseFileDate(const QDateTime& modified);

// A proxy for QFileDialog::setProxyModel over its file model: Japanese
// headers (名前, サイズ, 種類, 更新日時) and the texts above in the size,
// type and date columns; everything else passes through.
class JapaneseFileColumns : public QIdentityProxyModel {
  Q_OBJECT

 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

}  // namespace qb
