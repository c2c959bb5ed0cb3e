#include "analysis/detail/tovarine_scaling.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvex2::detail {

namespace {

constexpr double kScale = 100;

double CityBlockDistance(const MissMatrix& misses, std::size_t i, std::size_t j) {
  double sum = 0;
  for (std::size_t k = 0; k < misses.legs; ++k) sum += std::fabs(misses(i, k) - misses(j, k));
  return sum;
}

std::vector<double> RowMeans(const SquareMatrix& m) {
  std::vector<double> means(m.Size());
  for (std::size_t i = 0; i < m.Size(); ++i) {
    const double* row = m.Row(i);
    double sum = 0;
    for (std::size_t j = 0; j < m.Size(); ++j) sum += row[j];
    means[i] = sum / static_cast<double>(m.Size());
  }
  return means;
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

double AxisFactor(double eigenvalue) {
  return eigenvalue > 0 ? std::sqrt(eigenvalue) : 0;
}

double LargestMagnitude(const std::vector<PlanePoint>& points, std::size_t origin) {
  double largest = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i == origin) continue;
    largest = std::max({largest, std::fabs(points[i].x), std::fabs(points[i].y)});
  }
  return largest;
}

bool AllFinite(const std::vector<PlanePoint>& points) {
  return std::all_of(points.begin(), points.end(),
                     [](const PlanePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

}  // namespace

SquareMatrix SquaredCityBlockDistances(const MissMatrix& misses) {
  SquareMatrix d(misses.points);
  for (std::size_t i = 0; i < misses.points; ++i) {
    for (std::size_t j = i + 1; j < misses.points; ++j) {
      const double distance = CityBlockDistance(misses, i, j);
      d(i, j) = distance * distance;
      d(j, i) = d(i, j);
    }
  }
  return d;
}

SquareMatrix DoubleCentred(const SquareMatrix& squared_distances) {
  const std::size_t n = squared_distances.Size();
  // The matrix is symmetric, so the column means equal the row means.
  const std::vector<double> means = RowMeans(squared_distances);
  const double overall = Mean(means);
  SquareMatrix b(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      b(i, j) = -0.5 * (squared_distances(i, j) - means[i] - means[j] + overall);
    }
  }
  return b;
}

std::vector<PlanePoint> LeadingAxes(EigenSystem system) {
  const std::size_t n = system.values.size();
  std::vector<PlanePoint> points(n);
  if (n < 2) return points;
  OrderByMagnitude(system, 2);
  const double fx = AxisFactor(system.values[0]);
  const double fy = AxisFactor(system.values[1]);
  for (std::size_t i = 0; i < n; ++i) {
    points[i] = {fx * system.vectors(0, i), fy * system.vectors(1, i)};
  }
  return points;
}

std::vector<PlanePoint> ShiftAndScale(const std::vector<PlanePoint>& points, std::size_t origin,
                                      double resolution) {
  std::vector<PlanePoint> shifted;
  shifted.reserve(points.size());
  for (const PlanePoint& p : points) {
    shifted.push_back({p.x - points[origin].x, p.y - points[origin].y});
  }
  const double largest = LargestMagnitude(shifted, origin);
  const bool defined = largest > resolution && AllFinite(shifted) && std::isfinite(largest);
  std::vector<PlanePoint> scaled;
  scaled.reserve(points.size());
  for (std::size_t i = 0; i < shifted.size(); ++i) {
    if (i == origin) continue;
    // Dividing first makes the farthest coordinate exactly +-100.
    scaled.push_back(
        defined ? PlanePoint{shifted[i].x / largest * kScale, shifted[i].y / largest * kScale}
                : PlanePoint{});
  }
  return scaled;
}

std::vector<PlanePoint> TovarineMap(const MissMatrix& misses, double resolution) {
  if (misses.points == 0) return {};
  const SquareMatrix centred = DoubleCentred(SquaredCityBlockDistances(misses));
  return ShiftAndScale(LeadingAxes(JacobiEigen(centred)), misses.points - 1, resolution);
}

}  // namespace quorvex2::detail
