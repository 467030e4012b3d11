#pragma once
// Qt's JPEG reader reports damaged image data (compressed data that ends
// early or does not decode) only as warnings and still returns a picture,
// grey where the data was missing. While a watch is alive, those warnings
// are taken from the log and remembered instead.

#include <QString>
#include <QtGlobal>

namespace qb {

class JpegDamageWatch {
 public:
  JpegDamageWatch();
  ~JpegDamageWatch();
  JpegDamageWatch(const JpegDamageWatch&) = delete;
  JpegDamageWatch& operator=(const JpegDamageWatch&) = delete;

  // The first warning that means the pixels are incomplete; empty if none.
  const QString& damage() const { return damage_; }

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

  JpegDamageWatch* outer_;
  QString damage_;
};

// Whether a warning of the JPEG decoder means the pixels are incomplete.
// Stray bytes before a marker, which many cameras write, do not.
bool IsJpegDamageWarning(const QString& message);

}  // namespace qb
