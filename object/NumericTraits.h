#pragma once
// Small numeric templates shared by the libraries of the family. This
// library owns their statics, so that every code module of a process sees
// one instance of each; the templates' other members live elsewhere.

#include "platform/Export.h"

namespace torv {

template <class T>
struct Vec3d {
    T x;
    T y;
    T z;

    constexpr Vec3d() noexcept : x(), y(), z() {}
    constexpr Vec3d(T x, T y, T z) noexcept : x(x), y(y), z(z) {}

    constexpr bool operator==(const Vec3d& o) const noexcept { return x == o.x && y == o.y && z == o.z; }
    constexpr bool operator!=(const Vec3d& o) const noexcept { return !(*this == o); }
};

// Numeric traits of bounding boxes over float and double.
template <class T>
struct TorvBoundingBoxTraits {
    static T epsilon;
    static Vec3d<T> maxVector;
    static T (*sqrt)(T);
};

// A colour value of type T; nullReference is the zero colour.
template <class T>
struct ScanPtColor {
    T color;

    constexpr ScanPtColor() noexcept : color() {}
    constexpr explicit ScanPtColor(const T& c) noexcept : color(c) {}

    constexpr bool operator==(const ScanPtColor& o) const noexcept { return color == o.color; }
    constexpr bool operator!=(const ScanPtColor& o) const noexcept { return !(*this == o); }

    static const ScanPtColor nullReference;
};

// The instances that exist, all defined in the library.
template <> TORV_API float TorvBoundingBoxTraits<float>::epsilon;
template <> TORV_API double TorvBoundingBoxTraits<double>::epsilon;
template <> TORV_API Vec3d<float> TorvBoundingBoxTraits<float>::maxVector;
template <> TORV_API Vec3d<double> TorvBoundingBoxTraits<double>::maxVector;
template <> TORV_API float (*TorvBoundingBoxTraits<float>::sqrt)(float);
template <> TORV_API double (*TorvBoundingBoxTraits<double>::sqrt)(double);

template <> TORV_API const ScanPtColor<int> ScanPtColor<int>::nullReference;
template <> TORV_API const ScanPtColor<double> ScanPtColor<double>::nullReference;
template <> TORV_API const ScanPtColor<Vec3d<float>> ScanPtColor<Vec3d<float>>::nullReference;
template <> TORV_API const ScanPtColor<Vec3d<double>> ScanPtColor<Vec3d<double>>::nullReference;

} // namespace torv
