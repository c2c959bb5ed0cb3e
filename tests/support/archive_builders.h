#pragma once
// Archives for the tests, built through libarchive (zip, gzip) and our LHA writer, with the
// damage a test needs done to the bytes afterwards.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qxtest {

using Members = std::vector<std::pair<std::string, std::string>>;  // name, data

std::string MakeZip(const Members& members);
// A gzip file of the data; with a name, the header keeps it as the original file name.
std::string MakeGzip(const std::string& data, const std::string& original_name = "");
std::string MakeLzh(const Members& members);

// Overwrites the 4-byte little-endian field at every place `from` occurs in the bytes.
std::string ReplaceUint32(std::string bytes, uint32_t from, uint32_t to);

}  // namespace qxtest
