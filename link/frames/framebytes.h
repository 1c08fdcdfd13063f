// Little-endian field access in frame payloads, and widget values held to
// a field's range before they become bytes.
#pragma once

#include <QtGlobal>
#include <cmath>
#include <limits>

namespace orlo {

inline quint16 getU16le(const quint8 *p) { return quint16(p[0] | (p[1] << 8)); }
inline qint16 getS16le(const quint8 *p) { return qint16(getU16le(p)); }
inline quint32 getU32le(const quint8 *p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}
inline void putU16le(quint8 *p, quint16 v)
{
    p[0] = quint8(v & 0xFF);
    p[1] = quint8(v >> 8);
}
inline void putS16le(quint8 *p, qint16 v) { putU16le(p, quint16(v)); }
// Radio channels travel high byte first; a value is held to 16 bits.
inline quint16 getU16be(const quint8 *p) { return quint16((p[0] << 8) | p[1]); }
inline void putU16be(quint8 *p, int v)
{
    const quint16 u = quint16(qBound(0, v, 0xFFFF));
    p[0] = quint8(u >> 8);
    p[1] = quint8(u & 0xFF);
}
inline void putU32le(quint8 *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = quint8((v >> (8 * i)) & 0xFF);
}

// A double truncated toward zero and held to T's range (NaN gives 0).
template <typename T>
T truncateTo(double v)
{
    if (std::isnan(v))
        return 0;
    const double t = std::trunc(v);
    if (t <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (t >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(t);
}

// A count computed back from a decoded value lands a hair below its integer
// at times: taken as that integer, so a read and a Write with no change send
// the same count. Anything else is truncated toward zero and held to T.
template <typename T>
T countOf(double exact)
{
    constexpr double kHair = 1e-6;
    const double nearest = std::round(exact);
    return truncateTo<T>(std::fabs(exact - nearest) < kHair ? nearest : exact);
}

// An integer held to [lo, hi] before it becomes a byte.
inline quint8 clampByte(int v, int lo = 0, int hi = 255)
{
    return quint8(qBound(lo, v, hi));
}

} // namespace orlo
