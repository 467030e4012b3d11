#pragma once
// Numbers stored in picture headers. Callers check that the bytes are there
// before they read them.

#include <QByteArrayView>
#include <QtEndian>
#include <cstdint>

namespace qb {

inline std::uint8_t ByteAt(QByteArrayView data, qsizetype pos) { return static_cast<std::uint8_t>(data[pos]); }

inline std::uint16_t U16Le(QByteArrayView data, qsizetype pos) { return qFromLittleEndian<quint16>(data.data() + pos); }

inline std::uint32_t U32Le(QByteArrayView data, qsizetype pos) { return qFromLittleEndian<quint32>(data.data() + pos); }

inline std::int32_t I32Le(QByteArrayView data, qsizetype pos) { return qFromLittleEndian<qint32>(data.data() + pos); }

inline std::uint32_t U32Be(QByteArrayView data, qsizetype pos) { return qFromBigEndian<quint32>(data.data() + pos); }

}  // namespace qb
