#include "analysis/detail/tovarine_scaling.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvex2::detail {

namespace {

constexpr double kScale = 100;

// The misses leg by leg: leg k's values of every point side by side.
std::vector<double> LegMajor(const MissMatrix& misses) {
  std::vector<double> legs(misses.cells.size());
  for (std::size_t i = 0; i < misses.points; ++i) {
    for (std::size_t k = 0; k < misses.legs; ++k) legs[k * misses.points + i] = misses(i, k);
  }
  return legs;
}

// Row i right of the diagonal: the city-block distances to the later points, squared. The
// innermost loop runs along one leg's values, which vectorises.
void FillUpperRow(SquareMatrix& d, const std::vector<double>& legs, std::size_t leg_count,
                  std::size_t i) {
  const std::size_t n = d.Size();
  double* row = d.Row(i);
  for (std::size_t k = 0; k < leg_count; ++k) {
    const double* leg = legs.data() + k * n;
    const double own = leg[i];
    for (std::size_t j = i + 1; j < n; ++j) row[j] += std::fabs(own - leg[j]);
  }
  for (std::size_t j = i + 1; j < n; ++j) row[j] *= row[j];
}

// Copies the upper triangle into the lower one, a tile at a time to stay in the cache.
void MirrorUpperTriangle(SquareMatrix& d) {
  constexpr std::size_t kTile = 64;
  const std::size_t n = d.Size();
  for (std::size_t ti = 0; ti < n; ti += kTile) {
    for (std::size_t tj = ti; tj < n; tj += kTile) {
      for (std::size_t i = ti; i < std::min(ti + kTile, n); ++i) {
        for (std::size_t j = std::max(tj, i + 1); j < std::min(tj + kTile, n); ++j) {
          d(j, i) = d(i, j);
        }
      }
    }
  }
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

// Point i on axis a; 0 where the axis is missing or flat.
double AxisCoordinate(const std::vector<EigenPair>& pairs, std::size_t a, std::size_t i) {
  if (a >= pairs.size() || i >= pairs[a].vector.size()) return 0;
  return AxisFactor(pairs[a].value) * pairs[a].vector[i];
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
  const std::vector<double> legs = LegMajor(misses);
  for (std::size_t i = 0; i < misses.points; ++i) FillUpperRow(d, legs, misses.legs, i);
  MirrorUpperTriangle(d);
  return d;
}

// The matrix leaves by a move (it is the parameter itself that is returned): a copy of it would
// double the X/Y map's memory.
SquareMatrix DoubleCentred(SquareMatrix squared_distances) {
  SquareMatrix& b = squared_distances;
  const std::size_t n = b.Size();
  // The matrix is symmetric, so the column means equal the row means.
  const std::vector<double> means = RowMeans(b);
  const double overall = Mean(means);
  for (std::size_t i = 0; i < n; ++i) {
    double* row = b.Row(i);
    for (std::size_t j = 0; j < n; ++j) row[j] = -0.5 * (row[j] - means[i] - means[j] + overall);
  }
  return squared_distances;
}

std::vector<PlanePoint> LeadingAxes(const std::vector<EigenPair>& pairs, std::size_t points) {
  std::vector<PlanePoint> axes(points);
  for (std::size_t i = 0; i < points; ++i)
    axes[i] = {AxisCoordinate(pairs, 0, i), AxisCoordinate(pairs, 1, i)};
  return axes;
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
  return ShiftAndScale(LeadingAxes(LeadingEigenpairs(centred, 2), misses.points), misses.points - 1,
                       resolution);
}

}  // namespace quorvex2::detail
