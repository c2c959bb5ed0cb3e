#pragma once
// The few eigenpairs of largest absolute eigenvalue of a real symmetric matrix, without the cost
// of a full decomposition.
#include <cstddef>
#include <vector>

#include "analysis/detail/square_matrix.h"

namespace quorvex2::detail {

struct EigenPair {
  double value = 0;
  std::vector<double> vector;  // unit length; its largest entry (by magnitude) is positive
};

// The `count` eigenpairs of the symmetric matrix `b` whose eigenvalues are largest in absolute
// value, largest first. Small matrices are decomposed whole; larger ones by restarted Lanczos
// iteration. Fewer pairs come back only when `b` has fewer rows than `count`.
std::vector<EigenPair> LeadingEigenpairs(const SquareMatrix& b, std::size_t count);

}  // namespace quorvex2::detail
