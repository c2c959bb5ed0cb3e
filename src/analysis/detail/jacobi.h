#pragma once
// Eigen decomposition of a real symmetric matrix by the cyclic Jacobi method, as the X/Y map of
// the analysis uses it.
#include <cstddef>
#include <vector>

namespace quorvex2::detail {

// A dense n x n matrix of doubles, stored row by row.
class SquareMatrix {
 public:
  explicit SquareMatrix(std::size_t n = 0) : n_(n), cells_(n * n, 0.0) {}
  static SquareMatrix Identity(std::size_t n);

  std::size_t Size() const { return n_; }
  double& operator()(std::size_t row, std::size_t col) { return cells_[row * n_ + col]; }
  double operator()(std::size_t row, std::size_t col) const { return cells_[row * n_ + col]; }
  double* Row(std::size_t row) { return cells_.data() + row * n_; }
  const double* Row(std::size_t row) const { return cells_.data() + row * n_; }

 private:
  std::size_t n_;
  std::vector<double> cells_;
};

// Eigenvalue i belongs to the eigenvector held in row i of `vectors` (the transpose of the usual
// column-vector matrix V, so that rotations and swaps touch contiguous memory).
struct EigenSystem {
  std::vector<double> values;
  SquareMatrix vectors;
};

// Diagonalises the symmetric matrix `b`. The threshold starts at 1e-6 x the largest absolute row
// sum of `b` and grows by 5 % after every sweep, so the iteration always ends; a sweep rotates
// every pair whose off-diagonal element is not below the threshold. A zero matrix (or one that
// holds no finite row sum) is returned as it is, with unit vectors.
EigenSystem JacobiEigen(SquareMatrix b);

// Moves the `count` eigenvalues of largest absolute value, largest first, to the front together
// with their vectors, by the steps of a selection sort (the first of equal magnitudes wins).
void OrderByMagnitude(EigenSystem& system, std::size_t count);

}  // namespace quorvex2::detail
