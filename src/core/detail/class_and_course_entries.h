#pragma once
// The entries of the class-and-course list as values, for the outputs that walk them: a list
// entry is one comma-joined text, which cannot hold a class name with a comma.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

struct ClassAndCourseEntry {
  int32_t class_index = 0;  // 1-based class position, 0 for a course entry
  int32_t course_num = 0;   // the course of a course entry, 0 for a class entry
  std::string name;         // "M21A", or "M21A/W21A" for a course
  std::string file_name;    // "m21a", or "m21a_w21a"
  int32_t runner_count = 0;
};

// Every class in registry order, then the courses shared by two or more classes.
std::vector<ClassAndCourseEntry> ClassAndCourseEntries(const clsQuorvex2& root);

}  // namespace quorvex2::detail
