#include "object/NumericTraits.h"

#include <cfloat>
#include <cmath>

namespace torv {

// The nearest float to 1e-5 is slightly below it.
template <>
float TorvBoundingBoxTraits<float>::epsilon = 1e-5f;
template <>
double TorvBoundingBoxTraits<double>::epsilon = 1e-5;
template <>
Vec3d<float> TorvBoundingBoxTraits<float>::maxVector(FLT_MAX, FLT_MAX, FLT_MAX);
template <>
Vec3d<double> TorvBoundingBoxTraits<double>::maxVector(DBL_MAX, DBL_MAX, DBL_MAX);
template <>
float (*TorvBoundingBoxTraits<float>::sqrt)(float) = ::sqrtf;
template <>
double (*TorvBoundingBoxTraits<double>::sqrt)(double) = ::sqrt;

// Constant-initialised, so the zero colours exist before any code runs.
template <>
const ScanPtColor<int> ScanPtColor<int>::nullReference{};
template <>
const ScanPtColor<double> ScanPtColor<double>::nullReference{};
template <>
const ScanPtColor<Vec3d<float>> ScanPtColor<Vec3d<float>>::nullReference{};
template <>
const ScanPtColor<Vec3d<double>> ScanPtColor<Vec3d<double>>::nullReference{};

} // namespace torv
