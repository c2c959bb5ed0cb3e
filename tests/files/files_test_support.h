#pragma once
// Temporary files and small documents for the lap file tests.
#include <string>

namespace qxtest {

// A path in a fresh folder of this test process ("" name gives the folder itself).
std::string TempPath(const std::string& name);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// A file of tests/data/iof: the published IOF DTD and schema, and our own lists.
std::string IofTestFile(const std::string& name);

// What a shell command prints on standard output.
std::string RunCommand(const std::string& command);

// A native document: the declaration and the root element around body.
std::string NativeDocument(const std::string& body);

}  // namespace qxtest
