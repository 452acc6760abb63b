// The distance functions of the instance-file format, evaluated in extended (80-bit) precision.
// Each function returns a floating value; the matrix computation truncates it (ToEntry), so the
// maximum and crystallography distances, which are not rounded here, end up truncated.
#include "Distance.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace pathkit {

namespace {

using Real = long double;

Real Dx(const POS_2D& a, const POS_2D& b) {
    return static_cast<Real>(a.x) - b.x;
}
Real Dy(const POS_2D& a, const POS_2D& b) {
    return static_cast<Real>(a.y) - b.y;
}

Real Euclid2D(const POS_2D& a, const POS_2D& b) {
    const Real dx = Dx(a, b), dy = Dy(a, b);
    return std::trunc(std::sqrt(dx * dx + dy * dy) + 0.5L);
}

// The collection's ceiling of the Euclidean distance: the smallest integer not below it.
Real Ceil2D(const POS_2D& a, const POS_2D& b) {
    const Real dx = Dx(a, b), dy = Dy(a, b);
    return std::ceil(std::sqrt(dx * dx + dy * dy));
}

Real Euclid3D(const POS_3D& a, const POS_3D& b) {
    const Real dx = static_cast<Real>(a.x) - b.x, dy = static_cast<Real>(a.y) - b.y,
               dz = static_cast<Real>(a.z) - b.z;
    return std::trunc(std::sqrt(dx * dx + dy * dy + dz * dz) + 0.5L);
}

Real Max2D(const POS_2D& a, const POS_2D& b) {
    return std::fmax(std::fabs(Dx(a, b)), std::fabs(Dy(a, b)));
}

Real Max3D(const POS_3D& a, const POS_3D& b) {
    const Real dx = std::fabs(static_cast<Real>(a.x) - b.x), dy = std::fabs(static_cast<Real>(a.y) - b.y),
               dz = std::fabs(static_cast<Real>(a.z) - b.z);
    return std::fmax(std::fmax(dx, dy), dz);
}

Real Man2D(const POS_2D& a, const POS_2D& b) {
    return std::trunc(std::fabs(Dx(a, b)) + std::fabs(Dy(a, b)));
}

Real Man3D(const POS_3D& a, const POS_3D& b) {
    return std::trunc(std::fabs(static_cast<Real>(a.x) - b.x) + std::fabs(static_cast<Real>(a.y) - b.y) +
                      std::fabs(static_cast<Real>(a.z) - b.z));
}

// Pseudo-Euclidean distance: the root rounded up unless it is whole.
Real Att(const POS_2D& a, const POS_2D& b) {
    const Real dx = Dx(a, b), dy = Dy(a, b);
    const Real r = std::sqrt((dx * dx + dy * dy) * 0.1L);
    const Real t = std::trunc(r);
    return t < r ? t + 1 : t;
}

// A coordinate in degrees.minutes to radians: the fraction counts as minutes (5/3 of it in degrees).
// The constants are those of the published definition (3.141592 / 180 for the degree).
Real GeoRadians(double c) {
    const Real deg = std::trunc(static_cast<Real>(c));
    const Real min = static_cast<Real>(c) - deg;
    return (deg + min * static_cast<Real>(1.6666666666666665)) * static_cast<Real>(0.01745328888888889);
}

// Great-circle distance in kilometres on the idealised sphere of the format, x latitude, y longitude.
Real Geo(const POS_2D& a, const POS_2D& b) {
    const Real latA = GeoRadians(a.x), lonA = GeoRadians(a.y);
    const Real latB = GeoRadians(b.x), lonB = GeoRadians(b.y);
    const Real q1 = std::cos(lonA - lonB);
    const Real q2 = std::cos(latA - latB);
    const Real q3 = std::cos(latA + latB);
    // Rounding can push the cosine a hair outside [-1, 1], where the arc cosine has no value.
    const Real c = std::fmin(1.0L, std::fmax(-1.0L, 0.5L * ((1 + q1) * q2 - (1 - q1) * q3)));
    return std::floor(static_cast<Real>(6378.388) * std::acos(c) + 1.0L);
}

// Crystallography distance: x is an angle on a 360-degree circle.
Real Xray1(const POS_3D& a, const POS_3D& b) {
    const Real dx = std::fabs(static_cast<Real>(a.x) - b.x);
    const Real p = std::fmin(dx, std::fabs(dx - 360));
    return std::fmax(std::fabs(static_cast<Real>(a.y) - b.y) + p, std::fabs(static_cast<Real>(a.z) - b.z));
}

Real Xray2(const POS_3D& a, const POS_3D& b) {
    return 100 * Xray1(a, b);
}

// Searched in this order; "EXPLICIT" lets an explicit instance compute a matrix from display data.
constexpr DIST_TYPE kDistTypes[] = {
    {"EXPLICIT", Euclid2D, nullptr, EWT_EXPLICIT},
    {"EUC_2D", Euclid2D, nullptr, EWT_EUC_2D},
    {"EUC_3D", nullptr, Euclid3D, EWT_EUC_3D},
    {"MAX_2D", Max2D, nullptr, EWT_MAX_2D},
    {"MAX_3D", nullptr, Max3D, EWT_MAX_3D},
    {"MAN_2D", Man2D, nullptr, EWT_MAN_2D},
    {"MAN_3D", nullptr, Man3D, EWT_MAN_3D},
    {"CEIL_2D", Ceil2D, nullptr, EWT_CEIL_2D},
    {"GEO", Geo, nullptr, EWT_GEO},
    {"ATT", Att, nullptr, EWT_ATT},
    {"XRAY1", nullptr, Xray1, EWT_XRAY1},
    {"XRAY2", nullptr, Xray2, EWT_XRAY2},
};

}  // namespace

const DIST_TYPE* FindDistType(const char* text) {
    for (const DIST_TYPE& entry : kDistTypes)
        if (std::strstr(text, entry.name)) return &entry;
    return nullptr;
}

int ToEntry(long double distance) {
    if (std::isnan(distance)) return 0;
    if (distance >= static_cast<long double>(INT_MAX)) return INT_MAX;
    if (distance <= static_cast<long double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(distance);
}

}  // namespace pathkit
