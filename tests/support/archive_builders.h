#pragma once
// Archives for the tests, built through libarchive (zip, gzip, tar in gzip) and our LHA writer.
#include <string>
#include <utility>
#include <vector>

namespace qxtest {

using Members = std::vector<std::pair<std::string, std::string>>;  // name, data

std::string MakeZip(const Members& members);
// A gzip file of the data; with a name, the header keeps it as the original file name.
std::string MakeGzip(const std::string& data, const std::string& original_name = "");
std::string MakeTarGz(const Members& members);
std::string MakeLzh(const Members& members);

}  // namespace qxtest
