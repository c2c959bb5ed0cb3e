// Packing the large benchmark lap file (20,000 runners) into an LHA archive with our -lh5-
// encoder and unpacking it with libarchive, beside the lha tool's extraction of the same archive
// (when the tool is installed). Reports the compression ratio.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/lha/archive_reader.h"
#include "files/lha/archive_writer.h"
#include "quorvex2/core/path.h"
#include "support/event_generator.h"

namespace {

namespace fs = std::filesystem;
using quorvex2::detail::lha::ArchiveMember;

fs::path BenchFolder() {
  static const fs::path folder = [] {
    fs::path path = fs::temp_directory_path() / "qx-bench-archive";
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

const std::string& LapFileBytes() {
  static const std::string bytes = [] {
    const std::string file = (BenchFolder() / "large.lxm").string();
    if (!qxbench::WriteEvent(qxbench::LargeEventPlan(), file)) std::abort();
    return quorvex2::ReadFileBytes(file).value_or("");
  }();
  return bytes;
}

const std::string& ArchiveBytes() {
  static const std::string bytes = [] {
    std::string archive =
        quorvex2::detail::lha::EncodeArchive({ArchiveMember{"large.lxm", LapFileBytes(), 0}});
    if (!quorvex2::WriteFileAtomically((BenchFolder() / "large.lzh").string(), archive)) {
      std::abort();
    }
    return archive;
  }();
  return bytes;
}

void Pack(benchmark::State& state) {
  const std::string& data = LapFileBytes();
  size_t packed = 0;
  for (auto _ : state) {
    packed = quorvex2::detail::lha::EncodeArchive({ArchiveMember{"large.lxm", data, 0}}).size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
  state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(data.size());
}

void Unpack(benchmark::State& state) {
  const std::string& archive = ArchiveBytes();
  for (auto _ : state) {
    auto decoded = quorvex2::detail::lha::DecodeArchive(archive);
    if (!decoded.intact || decoded.members.size() != 1 ||
        decoded.members[0].data != LapFileBytes()) {
      state.SkipWithError("the archive did not unpack to the lap file");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * LapFileBytes().size()));
}

// The lha tool writing the member to disk (so it includes process start and the file write).
void UnpackWithLhaTool(benchmark::State& state) {
  ArchiveBytes();
  if (std::system("command -v lha >/dev/null 2>&1") != 0) {
    state.SkipWithError("the lha tool is not installed");
    return;
  }
  const std::string command = "cd '" + BenchFolder().string() + "' && lha xqfw=tool large.lzh";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("lha failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * LapFileBytes().size()));
}

BENCHMARK(Pack)->Unit(benchmark::kMillisecond);
BENCHMARK(Unpack)->Unit(benchmark::kMillisecond);
BENCHMARK(UnpackWithLhaTool)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
