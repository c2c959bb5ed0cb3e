#pragma once
// The reference reading of the X/Y map: eigen decomposition of the whole symmetric matrix by the
// cyclic Jacobi method, which the partial solver of the analysis must match.
#include <cstddef>
#include <vector>

#include "analysis/detail/leading_eigenpairs.h"
#include "analysis/detail/square_matrix.h"
#include "analysis/detail/tovarine_scaling.h"

namespace quorvex2::testing {

using detail::SquareMatrix;

// The threshold of the sweeps starts at this share of the largest absolute row sum. A far smaller
// share runs the sweeps to the exact decomposition.
constexpr double kJacobiThresholdShare = 1e-6;

// Eigenvalue i belongs to the eigenvector held in row i of `vectors` (the transpose of the usual
// column-vector matrix V, so that rotations and swaps touch contiguous memory).
struct EigenSystem {
  std::vector<double> values;
  SquareMatrix vectors;
};

// Diagonalises the symmetric matrix `b`. The threshold starts at 1e-6 x the largest absolute row
// sum of `b` (by default) and grows by 5 % after every sweep, so the iteration always ends; a sweep
// rotates every pair whose off-diagonal element is not below the threshold. A zero matrix (or one
// that holds no finite row sum) is returned as it is, with unit vectors.
EigenSystem JacobiEigen(SquareMatrix b, double threshold_share = kJacobiThresholdShare);

// Moves the `count` eigenvalues of largest absolute value, largest first, to the front together
// with their vectors, by the steps of a selection sort (the first of equal magnitudes wins).
void OrderByMagnitude(EigenSystem& system, std::size_t count);

// The first `count` pairs of the ordered system, in the form the analysis's solver gives them.
std::vector<detail::EigenPair> JacobiLeadingPairs(const SquareMatrix& b, std::size_t count,
                                                  double threshold_share = kJacobiThresholdShare);

// The whole map, read through the Jacobi decomposition.
std::vector<detail::PlanePoint> JacobiTovarineMap(const detail::MissMatrix& misses,
                                                  double resolution = 0,
                                                  double threshold_share = kJacobiThresholdShare);

}  // namespace quorvex2::testing
