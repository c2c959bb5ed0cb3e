#pragma once
// A read/write member that the host may use either as a plain field (`root.FileName = "a.lxm"`,
// `std::string name = root.FileName`) or as a property (`root.FileName("a.lxm")`,
// `root.FileName()`): the root's file name and date, the file control's progress switch and a
// segment's class list are fields in some hosts' eyes and properties in others'.
#include <type_traits>
#include <utility>

namespace quorvex2 {

// A class value (a string, a list): the field is the value itself, with its members.
template <typename T, bool = std::is_class_v<T>>
class Field : public T {
 public:
  Field() = default;
  Field(const T& value) : T(value) {}
  Field(T&& value) : T(std::move(value)) {}
  using T::operator=;
  Field& operator=(const T& value) {
    T::operator=(value);
    return *this;
  }

  T& operator()() { return *this; }
  const T& operator()() const { return *this; }
  void operator()(T value) { T::operator=(std::move(value)); }
};

// A number or a boolean: the field converts to a reference to its value.
template <typename T>
class Field<T, false> {
 public:
  Field(T value = T{}) : value_(value) {}
  Field& operator=(T value) {
    value_ = value;
    return *this;
  }
  operator T&() { return value_; }
  operator const T&() const { return value_; }

  T operator()() const { return value_; }
  void operator()(T value) { value_ = value; }

 private:
  T value_;
};

}  // namespace quorvex2
