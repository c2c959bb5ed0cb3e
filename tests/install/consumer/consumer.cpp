// A program outside the project that uses the installed library.
#include <quorvex2/quorvex2.h>

#include <iostream>

int main() {
  const std::string version = quorvex2::VersionText();
  std::cout << version << "\n";
  return version == "2.19 ( Build 179 )" ? 0 : 1;
}
