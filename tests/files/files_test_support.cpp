#include "files_test_support.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/lap_text.h"

namespace qxtest {

std::string TempPath(const std::string& name) {
  static const std::string folder = MakeTempDir("files");
  return folder + "/" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string DataPath(const std::string& name) {
  return std::string(QX_TEST_DATA) + "/" + name;
}

std::string IofTestFile(const std::string& name) {
  return DataPath("iof/" + name);
}

std::string RunCommand(const std::string& command) {
  std::string output;
  std::array<char, 4096> buffer{};
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "popen failed";
  while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
    output.append(buffer.data(), n);
  }
  ::pclose(pipe);
  return output;
}

std::string NativeDocument(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex version=\"2.19\" "
         "filedate=\"2026/01/02 03:04:05\" type=\"application/x-quorvex2\">" +
         body + "</quorvex>";
}

std::shared_ptr<quorvex2::clsLapData> FindRunner(const quorvex2::clsQuorvex2& root,
                                                 const std::string& class_name,
                                                 const std::string& name) {
  const auto data = root.ClassData(class_name);
  for (int32_t i = 1; data && i <= data->LapCount(); ++i) {
    if (data->LapData(i)->RunnerName == name) return data->LapData(i);
  }
  return nullptr;
}

int32_t ExpectWholeSecondLegs(const quorvex2::clsQuorvex2& root) {
  int32_t legs = 0;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto data = root.ClassData(c);
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      const quorvex2::clsLapData& lap = *data->LapData(i);
      for (int32_t k = 1; k <= lap.LegCount(); ++k) {
        if (lap.LapValue(k) <= 0) continue;
        EXPECT_EQ(lap.LapValue(k), quorvex2::RoundToSecond(lap.LapValue(k)))
            << lap.RunnerName << ", leg " << k;
        ++legs;
      }
    }
  }
  return legs;
}

std::string LoadedEvent(const std::string& path, int32_t type, int32_t mode,
                        const std::string& data) {
  quorvex2::clsQuorvex2 root;
  std::string shown;
  root.ShowMessage = [&shown](const std::string& message) { shown += message + "\n"; };
  const bool loaded = root.FileControl()->LoadLapFile(path, type, mode, data);
  std::string said = root.ErrorComment() + "\n" + shown;
  said = quorvex2::ReplaceAll(said, TempPath(""), "<temp>/");
  said = quorvex2::ReplaceAll(said, DataPath(""), "<data>/");
  return std::string(loaded ? "loaded\n" : "refused\n") +
         quorvex2::ReplaceAll(said, "\r\n", "\n  ") + "file date " + SecondsText(root.FileDate) +
         ", zone " + root.EventData()->TimeZone + "\n" + EventText(root);
}

}  // namespace qxtest
