#include "analysis/detail/leading_eigenpairs.h"

#include <Spectra/MatOp/DenseSymMatProd.h>
#include <Spectra/SymEigsSolver.h>
#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace quorvex2::detail {
namespace {

using Matrix = Eigen::MatrixXd;
using Vector = Eigen::VectorXd;
// The matrix is symmetric, so its rows read as columns give the same matrix.
using MatrixView = Eigen::Map<const Matrix>;

// Up to this size a whole decomposition is cheaper than setting up the iteration.
constexpr Eigen::Index kWholeDecompositionLimit = 64;
// The Lanczos basis, the restarts allowed and the residual asked for, relative to each
// eigenvalue (the vectors then hold far more digits than the map shows). One more pair than
// needed is sought, so that an eigenvalue close to the last one wanted cannot slip past it.
constexpr Eigen::Index kBasisSize = 20;
constexpr Eigen::Index kExtraPairs = 1;
constexpr Eigen::Index kMaxRestarts = 1000;
constexpr double kTolerance = 1e-10;

// Eigenvectors are defined up to their sign; the largest entry is made positive so that every
// solver gives the same picture.
std::vector<double> Canonical(const Vector& v) {
  Eigen::Index largest = 0;
  v.cwiseAbs().maxCoeff(&largest);
  const double sign = v[largest] < 0 ? -1 : 1;
  std::vector<double> out(static_cast<std::size_t>(v.size()));
  for (Eigen::Index i = 0; i < v.size(); ++i) out[static_cast<std::size_t>(i)] = sign * v[i];
  return out;
}

std::vector<EigenPair> LargestByMagnitude(const Vector& values, const Matrix& vectors,
                                          std::size_t count) {
  std::vector<Eigen::Index> order(static_cast<std::size_t>(values.size()));
  std::iota(order.begin(), order.end(), Eigen::Index{0});
  std::stable_sort(order.begin(), order.end(), [&values](Eigen::Index a, Eigen::Index b) {
    return std::fabs(values[a]) > std::fabs(values[b]);
  });
  order.resize(std::min(count, order.size()));
  std::vector<EigenPair> pairs;
  for (const Eigen::Index i : order) pairs.push_back({values[i], Canonical(vectors.col(i))});
  return pairs;
}

std::vector<EigenPair> WholeDecomposition(const MatrixView& b, std::size_t count) {
  const Eigen::SelfAdjointEigenSolver<Matrix> solver(b);
  return LargestByMagnitude(solver.eigenvalues(), solver.eigenvectors(), count);
}

std::optional<std::vector<EigenPair>> Lanczos(const MatrixView& b, std::size_t count) {
  const Eigen::Index n = b.rows();
  const Eigen::Index wanted = std::min(static_cast<Eigen::Index>(count) + kExtraPairs, n - 1);
  Spectra::DenseSymMatProd<double> product(b);
  Spectra::SymEigsSolver<Spectra::DenseSymMatProd<double>> solver(
      product, wanted, std::min(n, std::max(kBasisSize, 2 * wanted + 1)));
  solver.init();
  solver.compute(Spectra::SortRule::LargestMagn, kMaxRestarts, kTolerance,
                 Spectra::SortRule::LargestMagn);
  if (solver.info() != Spectra::CompInfo::Successful) return std::nullopt;
  return LargestByMagnitude(solver.eigenvalues(), solver.eigenvectors(), count);
}

// A matrix with a non-finite entry, or all zeros, has no directions to find: it gets zero
// eigenvalues with unit vectors.
bool HasDirections(const MatrixView& b) {
  return b.allFinite() && b.cwiseAbs().maxCoeff() > 0;
}

std::vector<EigenPair> UnitPairs(std::size_t n, std::size_t count) {
  std::vector<EigenPair> pairs;
  for (std::size_t a = 0; a < std::min(n, count); ++a) {
    pairs.push_back({0, std::vector<double>(n, 0.0)});
    pairs.back().vector[a] = 1;
  }
  return pairs;
}

}  // namespace

std::vector<EigenPair> LeadingEigenpairs(const SquareMatrix& b, std::size_t count) {
  const auto n = static_cast<Eigen::Index>(b.Size());
  const MatrixView view(b.Data(), n, n);
  if (n == 0 || !HasDirections(view)) return UnitPairs(b.Size(), count);
  if (n <= kWholeDecompositionLimit) return WholeDecomposition(view, count);
  if (auto pairs = Lanczos(view, count)) return *std::move(pairs);
  return WholeDecomposition(view, count);
}

}  // namespace quorvex2::detail
