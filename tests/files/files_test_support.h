#pragma once
// Temporary files and small documents for the lap file tests.
#include <string>

namespace qxtest {

// A path in a fresh folder of this test process ("" name gives the folder itself).
std::string TempPath(const std::string& name);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// The official IOF file of that name in the shared folder beside the checkout (a worktree sits
// one level deeper), or in the folder QX_IOF_DIR names; "" when absent.
std::string SharedIofFile(const std::string& name);

// What a shell command prints on standard output.
std::string RunCommand(const std::string& command);

// A native document: the declaration and the root element around body.
std::string NativeDocument(const std::string& body);

}  // namespace qxtest
