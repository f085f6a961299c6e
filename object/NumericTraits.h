#pragma once
/// @file
/// Small numeric templates shared by the libraries of the family. This
/// library owns their statics, so that every code module of a process sees
/// one instance of each; the templates' other members live elsewhere.

#include "platform/Export.h"

namespace torv {

/// A vector of three values of type T.
template <class T>
struct Vec3d {
    T x; ///< First component.
    T y; ///< Second component.
    T z; ///< Third component.

    /// The zero vector.
    constexpr Vec3d() noexcept : x(), y(), z() {}
    /// The vector (x, y, z).
    constexpr Vec3d(T x, T y, T z) noexcept : x(x), y(y), z(z) {}

    /// Component-wise equality.
    constexpr bool operator==(const Vec3d& o) const noexcept { return x == o.x && y == o.y && z == o.z; }
    /// Component-wise inequality.
    constexpr bool operator!=(const Vec3d& o) const noexcept { return !(*this == o); }
};

/// Numeric traits of bounding boxes; the library defines them for float
/// and double only.
template <class T>
struct TorvBoundingBoxTraits {
    static T epsilon;          ///< The tolerance of comparisons.
    static Vec3d<T> maxVector; ///< The largest vector, each component the type's maximum.
    static T (*sqrt)(T);       ///< The square root used for T.
};

/// A colour value of type T; the library defines nullReference for int,
/// double, Vec3d<float> and Vec3d<double>.
template <class T>
struct ScanPtColor {
    T color; ///< The colour value.

    /// The zero colour.
    constexpr ScanPtColor() noexcept : color() {}
    /// The colour c.
    constexpr explicit ScanPtColor(const T& c) noexcept : color(c) {}

    /// Equal colour values.
    constexpr bool operator==(const ScanPtColor& o) const noexcept { return color == o.color; }
    /// Different colour values.
    constexpr bool operator!=(const ScanPtColor& o) const noexcept { return !(*this == o); }

    /// The zero colour, one instance per process, owned by the library.
    static const ScanPtColor nullReference;
};

// The instances that exist, all defined in the library.
/// @cond TORV_SPECIALISATIONS
template <>
TORV_API float TorvBoundingBoxTraits<float>::epsilon;
template <>
TORV_API double TorvBoundingBoxTraits<double>::epsilon;
template <>
TORV_API Vec3d<float> TorvBoundingBoxTraits<float>::maxVector;
template <>
TORV_API Vec3d<double> TorvBoundingBoxTraits<double>::maxVector;
template <>
TORV_API float (*TorvBoundingBoxTraits<float>::sqrt)(float);
template <>
TORV_API double (*TorvBoundingBoxTraits<double>::sqrt)(double);

template <>
TORV_API const ScanPtColor<int> ScanPtColor<int>::nullReference;
template <>
TORV_API const ScanPtColor<double> ScanPtColor<double>::nullReference;
template <>
TORV_API const ScanPtColor<Vec3d<float>> ScanPtColor<Vec3d<float>>::nullReference;
template <>
TORV_API const ScanPtColor<Vec3d<double>> ScanPtColor<Vec3d<double>>::nullReference;
/// @endcond

} // namespace torv
