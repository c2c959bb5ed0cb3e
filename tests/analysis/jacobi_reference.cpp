#include "jacobi_reference.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace quorvex2::testing {

namespace {

constexpr double kThresholdGrowth = 1.05;
// The root of 2 at full precision: with a rounded value (1.41421356) every rotation would stretch
// the vectors by a few parts in 1e9, which adds up over the sweeps of a large class.
constexpr double kSqrt2 = std::numbers::sqrt2;

// One plane rotation of the pair (p, q): the new entries of rows p and q are
// x_p' = c x_p + s x_q and x_q' = c x_q - s x_p, which is orthogonal (c^2 + s^2 = 1) and zeroes
// B(p, q) with the c and s below.
struct Rotation {
  double c, s;
  double diag_p, diag_q;
};

Rotation PlanRotation(double bpp, double bqq, double bpq) {
  const double a = (bpp + bqq) / 2;
  const double b = (bpp - bqq) / 2;
  const double r = std::sqrt(bpq * bpq + b * b);
  if (b <= 0) {
    const double c = std::sqrt(1 - b / r) / kSqrt2;
    return {c, -bpq / (2 * c * r), a - r, a + r};
  }
  const double c = std::sqrt(1 + b / r) / kSqrt2;
  return {c, bpq / (2 * c * r), a + r, a - r};
}

void RotateRows(double* row_p, double* row_q, std::size_t from, std::size_t to, const Rotation& r) {
  for (std::size_t k = from; k < to; ++k) {
    const double xp = row_p[k];
    const double xq = row_q[k];
    row_p[k] = r.c * xp + r.s * xq;
    row_q[k] = r.c * xq - r.s * xp;
  }
}

// Rows p and q are rotated in full; of columns p and q only the rows below p are written.
// During a sweep every later rotation (p', q') has p' >= p and reads rows p' and q' only, so the
// rows above p may go stale: the lower triangle always holds the current values and
// MirrorLowerTriangle() brings the upper one back at the end of the sweep. This keeps half of the
// scattered column writes out of the innermost loop.
void RotateMatrix(SquareMatrix& b, std::size_t p, std::size_t q, const Rotation& r) {
  const std::size_t n = b.Size();
  double* row_p = b.Row(p);
  double* row_q = b.Row(q);
  RotateRows(row_p, row_q, 0, p, r);
  RotateRows(row_p, row_q, p + 1, q, r);
  RotateRows(row_p, row_q, q + 1, n, r);
  for (std::size_t k = p + 1; k < n; ++k) {
    b(k, p) = row_p[k];
    b(k, q) = row_q[k];
  }
  row_p[p] = r.diag_p;
  row_q[q] = r.diag_q;
  row_p[q] = 0;
  row_q[p] = 0;
}

void MirrorLowerTriangle(SquareMatrix& b) {
  for (std::size_t i = 0; i < b.Size(); ++i) {
    for (std::size_t j = i + 1; j < b.Size(); ++j) b(i, j) = b(j, i);
  }
}

void Sweep(SquareMatrix& b, SquareMatrix& vectors, double threshold) {
  const std::size_t n = b.Size();
  for (std::size_t p = 0; p + 1 < n; ++p) {
    for (std::size_t q = p + 1; q < n; ++q) {
      const double bpq = b(p, q);
      if (!(std::fabs(bpq) >= threshold)) continue;
      const Rotation r = PlanRotation(b(p, p), b(q, q), bpq);
      RotateMatrix(b, p, q, r);
      RotateRows(vectors.Row(p), vectors.Row(q), 0, n, r);
    }
  }
  MirrorLowerTriangle(b);
}

double LargestRowSum(const SquareMatrix& b) {
  double largest = 0;
  for (std::size_t i = 0; i < b.Size(); ++i) {
    const double* row = b.Row(i);
    double sum = 0;
    for (std::size_t j = 0; j < b.Size(); ++j) sum += std::fabs(row[j]);
    largest = std::max(largest, sum);
  }
  return largest;
}

double LargestOffDiagonal(const SquareMatrix& b) {
  double largest = 0;
  for (std::size_t i = 0; i < b.Size(); ++i) {
    for (std::size_t j = i + 1; j < b.Size(); ++j) largest = std::max(largest, std::fabs(b(i, j)));
  }
  return largest;
}

std::vector<double> Diagonal(const SquareMatrix& b) {
  std::vector<double> diagonal(b.Size());
  for (std::size_t i = 0; i < b.Size(); ++i) diagonal[i] = b(i, i);
  return diagonal;
}

}  // namespace

EigenSystem JacobiEigen(SquareMatrix b, double threshold_share) {
  SquareMatrix vectors = SquareMatrix::Identity(b.Size());
  double threshold = threshold_share * LargestRowSum(b);
  // A zero threshold would never rise and the rotations of zero elements divide by zero.
  if (threshold > 0 && std::isfinite(threshold)) {
    while (LargestOffDiagonal(b) >= threshold) {
      Sweep(b, vectors, threshold);
      threshold *= kThresholdGrowth;
    }
  }
  return {Diagonal(b), std::move(vectors)};
}

void OrderByMagnitude(EigenSystem& system, std::size_t count) {
  const std::size_t n = system.values.size();
  const std::size_t n_vec = system.vectors.Size();
  for (std::size_t i = 0; i < std::min(count, n); ++i) {
    std::size_t largest = i;
    for (std::size_t j = i + 1; j < n; ++j) {
      if (std::fabs(system.values[j]) > std::fabs(system.values[largest])) largest = j;
    }
    if (largest == i) continue;
    std::swap(system.values[i], system.values[largest]);
    std::swap_ranges(system.vectors.Row(i), system.vectors.Row(i) + n_vec,
                     system.vectors.Row(largest));
  }
}

std::vector<detail::EigenPair> JacobiLeadingPairs(const SquareMatrix& b, std::size_t count,
                                                  double threshold_share) {
  EigenSystem system = JacobiEigen(b, threshold_share);
  OrderByMagnitude(system, count);
  std::vector<detail::EigenPair> pairs;
  for (std::size_t a = 0; a < std::min(count, system.values.size()); ++a) {
    const double* row = system.vectors.Row(a);
    pairs.push_back({system.values[a], std::vector<double>(row, row + b.Size())});
  }
  return pairs;
}

std::vector<detail::PlanePoint> JacobiTovarineMap(const detail::MissMatrix& misses,
                                                  double resolution, double threshold_share) {
  if (misses.points == 0) return {};
  const SquareMatrix centred = detail::DoubleCentred(detail::SquaredCityBlockDistances(misses));
  return detail::ShiftAndScale(
      detail::LeadingAxes(JacobiLeadingPairs(centred, 2, threshold_share), misses.points),
      misses.points - 1, resolution);
}

}  // namespace quorvex2::testing
