#pragma once
// A dense square matrix of doubles, as the X/Y map of the analysis builds it.
#include <cstddef>
#include <vector>

namespace quorvex2::detail {

// Stored row by row.
class SquareMatrix {
 public:
  explicit SquareMatrix(std::size_t n = 0) : n_(n), cells_(n * n, 0.0) {}
  static SquareMatrix Identity(std::size_t n) {
    SquareMatrix m(n);
    for (std::size_t i = 0; i < n; ++i) m(i, i) = 1;
    return m;
  }

  std::size_t Size() const { return n_; }
  double& operator()(std::size_t row, std::size_t col) { return cells_[row * n_ + col]; }
  double operator()(std::size_t row, std::size_t col) const { return cells_[row * n_ + col]; }
  double* Row(std::size_t row) { return cells_.data() + row * n_; }
  const double* Row(std::size_t row) const { return cells_.data() + row * n_; }
  const double* Data() const { return cells_.data(); }

 private:
  std::size_t n_;
  std::vector<double> cells_;
};

}  // namespace quorvex2::detail
