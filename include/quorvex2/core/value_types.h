#pragma once
// The five value objects that carry every time, date, miss time, percentage and leg rank, and
// render them for every output.
#include <cstdint>
#include <string>

#include "quorvex2/core/types.h"

namespace quorvex2 {

class clsTimeValue {
 public:
  Date Value() const { return value_; }
  void Value(Date value) { value_ = value; }
  std::string ToString(const std::string& FormatExpression = "hh:nn:ss", bool Compact = false,
                       const std::string& NoDataValue = "－", const std::string& SkipValue = "↓",
                       const std::string& DisqValue = "×") const;

 private:
  Date value_ = 0;
};

class clsMissTimeValue {
 public:
  static constexpr Date kNotComputed = -10;

  // 0 while the value has not been computed.
  Date Value() const { return value_ == kNotComputed ? 0 : value_; }
  // The stored value, the not-computed sentinel (-10) included.
  Date StoredValue() const { return value_; }
  std::string ToString(const std::string& FormatExpression = "hh:nn:ss", bool Compact = false,
                       const std::string& NoDataValue = "－",
                       const std::string& SkipValue = "↓") const;

  void SetValue(Date value, detail::Internal) { value_ = value; }
  void Reset(detail::Internal) { value_ = kNotComputed; }

 private:
  Date value_ = kNotComputed;
};

class clsDateValue {
 public:
  Date Value() const { return value_; }
  void Value(Date value) { value_ = value; }
  std::string ToString(const std::string& FormatExpression = "yyyy/mm/dd") const;

 private:
  Date value_ = 0;
};

class clsPercentValue {
 public:
  // The stored ratio (1.0 = 100 %); 0 for the negative codes.
  float Value() const { return value_ >= 0 ? value_ : 0.0f; }
  // The stored ratio, negative codes (-1 skipped, -2 no data) included.
  float StoredValue() const { return value_; }
  std::string ToString(const std::string& FormatExpression = "#0",
                       const std::string& NoDataValue = "－",
                       const std::string& SkipValue = "↓") const;

  void SetValue(float value, detail::Internal) { value_ = value; }

 private:
  float value_ = 0;
};

class clsLegRankValue {
 public:
  int32_t Value() const { return value_; }
  std::string ToString(bool UseHyphen = true, bool UseParentheses = false) const;

  void SetValue(int32_t value, detail::Internal) { value_ = value; }

 private:
  int32_t value_ = 0;
};

}  // namespace quorvex2
