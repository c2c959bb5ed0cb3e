#pragma once
// The numerical core of the X/Y map: classical multidimensional scaling of the runners' miss
// profiles onto a plane, with the no-miss point at the origin.
#include <cstddef>
#include <vector>

#include "analysis/detail/leading_eigenpairs.h"
#include "analysis/detail/square_matrix.h"

namespace quorvex2::detail {

// One row of leg values per point, `legs` values a row.
struct MissMatrix {
  std::size_t points = 0;
  std::size_t legs = 0;
  std::vector<double> cells;

  MissMatrix(std::size_t points_, std::size_t legs_)
      : points(points_), legs(legs_), cells(points_ * legs_, 0.0) {}
  double& operator()(std::size_t point, std::size_t leg) { return cells[point * legs + leg]; }
  double operator()(std::size_t point, std::size_t leg) const { return cells[point * legs + leg]; }
};

struct PlanePoint {
  double x = 0;
  double y = 0;
};

// d(i, j) = (sum over the legs of |D(i, k) - D(j, k)|)^2.
SquareMatrix SquaredCityBlockDistances(const MissMatrix& misses);

// B(i, j) = -0.5 (d(i, j) - r(i) - c(j) + g) with the row, column and overall means of d,
// computed in the place of d.
SquareMatrix DoubleCentred(SquareMatrix squared_distances);

// The first two axes of the scaling over `points` points, coordinate(a, i) = sqrt(eigenvalue a)
// x V(i, a), from the eigenpairs of largest magnitude, largest first. An axis whose eigenvalue is
// not positive, or that is missing, has no real coordinates: it is 0 for every point.
std::vector<PlanePoint> LeadingAxes(const std::vector<EigenPair>& pairs, std::size_t points);

// Shifts every point so that point `origin` is (0, 0), then scales the points other than
// `origin` so that their largest absolute coordinate is exactly 100 (one factor for both axes).
// Returns those points in order. When no coordinate exceeds `resolution` (rounding noise would
// otherwise be blown up to the full scale) or any is not finite, all are 0.
std::vector<PlanePoint> ShiftAndScale(const std::vector<PlanePoint>& points, std::size_t origin,
                                      double resolution = 0);

// The whole map: the last row of `misses` is the origin (the runner without misses); returns the
// coordinates of the other rows, in order. `resolution` as for ShiftAndScale, in the unit of the
// misses.
std::vector<PlanePoint> TovarineMap(const MissMatrix& misses, double resolution = 0);

}  // namespace quorvex2::detail
