#include "common/ui/common_dialog_rules.h"

#include <cstdlib>
#include <limits>

#include "common/cp932.h"

namespace qb {
namespace {

constexpr int kDefaultFileBufferSize = 1024;
constexpr int kFaceNameSize = 32;

}  // namespace

int FileBufferSize(std::int32_t maxFileSize) { return maxFileSize > 0 ? maxFileSize : kDefaultFileBufferSize; }

bool PathFitsFileBuffer(const QString& path, int bufferSize) {
  return cp932::Encode(path.toStdU16String()).size() + 1 <= static_cast<std::size_t>(bufferSize);
}

QString FileTitleOf(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

std::int32_t PointsToTenths(std::int32_t points) {
  const std::int64_t tenths = std::int64_t{points} * 10;
  if (tenths > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (tenths < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(tenths);
}

std::int32_t TenthsToPoints(std::int32_t tenths) {
  const std::int32_t whole = tenths / 10;
  const std::int32_t rest = std::abs(tenths % 10);
  const std::int32_t away = tenths < 0 ? -1 : 1;
  if (rest > 5 || (rest == 5 && whole % 2 != 0)) return whole + away;
  return whole;
}

QByteArray FaceNameField(const QString& faceName) {
  QByteArray field;
  for (const QChar c : faceName) {
    const std::string bytes = cp932::Encode(std::u16string(1, c.unicode()));
    if (field.size() + static_cast<qsizetype>(bytes.size()) > kFaceNameSize - 1) break;
    field.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  field.resize(kFaceNameSize, '\0');
  return field;
}

}  // namespace qb
