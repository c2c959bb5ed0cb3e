// The budgets of a large event, measured in one run on the 20,000-runner benchmark event (150
// classes, one of 1,700 runners): load and analysis against the bare pugixml parse of the same
// file, the X/Y map of the largest class against the load, the peak memory of loading and of
// converting, and the whole web site's time and size. Each figure is printed with its target.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <pugixml.hpp>
#include <string>
#include <thread>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>
#include <quorvex2/files/file_types.h>

#include "support/event_generator.h"

namespace {

namespace fs = std::filesystem;

std::string BenchPath(const std::string& name) {
  return (fs::temp_directory_path() / ("qx-bench-targets-" + name)).string();
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The least CPU time of `runs` runs of the operation: the machine is shared, and other work
// only ever adds time.
double BestSeconds(int runs, const std::function<void()>& operation) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const double start = CpuSeconds();
    operation();
    best = std::min(best, CpuSeconds() - start);
  }
  return best;
}

// The event file is written by a child process, so that this one stays small: a child's peak
// memory starts from the size of the process it was forked from.
bool WriteLargeEvent(const std::string& file) {
  const pid_t pid = fork();
  if (pid == 0) _exit(qxbench::WriteEvent(qxbench::LargeEventPlan(), file) ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Peak resident memory (MB) of a fresh process (this program run again) that does `what` with
// the file, above one that does nothing.
double PeakMegabytes(const char* what, const std::string& file) {
  const auto peak = [&file](const char* mode) {
    const pid_t pid = fork();
    if (pid == 0) {
      execl("/proc/self/exe", "bench_targets", mode, file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
  };
  return peak(what) - peak("--idle");
}

void Load(quorvex2::clsQuorvex2& root, const std::string& file) {
  if (!root.FileControl()->LoadLapFile(file)) std::abort();
}

void AnalyseEveryClass(quorvex2::clsQuorvex2& root) {
  for (int32_t i = 1; i <= root.ClassCount(); ++i) {
    auto analyzer = root.NewAnalyzer();
    analyzer->AddClass(i);
    analyzer->Execute();
    analyzer->ExtraAnalyze();
  }
}

// The load average of the last minute: wall-clock figures mean little without it.
double LoadAverage() {
  double load = -1;
  return getloadavg(&load, 1) == 1 ? load : -1;
}

// The bytes of the files in the folder, as `du -sb` counts them.
uintmax_t FolderBytes(const std::string& folder) {
  uintmax_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) bytes += entry.file_size();
  }
  return bytes;
}

void Print(const char* what, double value, const char* unit, double target, bool below = false) {
  std::printf("%-46s %9.2f %-3s target %s %-7.6g %s\n", what, value, unit,
              below ? "<" : "<=", target,
              value < target || (!below && value == target) ? "met" : "NOT MET");
}

// The operations whose memory is measured, each in a process of its own.
int MeasuredOperation(const std::string& mode, const std::string& file) {
  if (mode == "--idle") return 0;
  quorvex2::clsQuorvex2 root;
  Load(root, file);
  if (mode == "--convert") {
    return root.FileControl()->SaveLapFile(BenchPath("convert.xml"),
                                           quorvex2::QX_FILETYPE_IOF_XML_30_RESULT)
               ? 0
               : 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) return MeasuredOperation(argv[1], argv[2]);
  const bool with_site = !(argc > 1 && std::string(argv[1]) == "--no-site");
  const std::string file = BenchPath("large.lxm");
  if (!WriteLargeEvent(file)) return 1;
  std::printf("file: %s (%ju bytes), least CPU time of 5 runs each\n", file.c_str(),
              static_cast<uintmax_t>(fs::file_size(file)));

  const double load_peak = PeakMegabytes("--load", file);
  const double convert_peak = PeakMegabytes("--convert", file);
  Print("peak memory of load", load_peak, "MB", 60);
  Print("peak memory of convert to IOF 3.0", convert_peak, "MB", 100);

  const double parse = BestSeconds(5, [&] {
    pugi::xml_document document;
    if (!document.load_file(file.c_str())) std::abort();
  });
  const double load = BestSeconds(5, [&] {
    quorvex2::clsQuorvex2 root;
    Load(root, file);
  });
  const double analysed = BestSeconds(5, [&] {
    quorvex2::clsQuorvex2 root;
    Load(root, file);
    AnalyseEveryClass(root);
  });
  quorvex2::clsQuorvex2 root;
  Load(root, file);
  auto largest = root.NewAnalyzer();
  largest->AddClass(1);
  largest->Execute();
  const double map = BestSeconds(5, [&] { largest->Tovarine(); });
  std::printf(
      "bare parse %.1f ms, load %.1f ms, load + analyse %.1f ms, X/Y map of %d runners "
      "%.1f ms\n",
      parse * 1e3, load * 1e3, analysed * 1e3, largest->FullSetCount(), map * 1e3);
  Print("load + analyse every class / bare parse", analysed / parse, "x", 5);
  Print("load / bare parse", load / parse, "x", 2);
  Print("X/Y map of the largest class / load", map / load, "x", 1, true);

  if (with_site) {
    const std::string folder = BenchPath("site");
    fs::remove_all(folder);
    fs::create_directories(folder);
    const double load_before = LoadAverage();
    const double cpu_start = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    // What `quorvex2 site` writes without page options.
    const bool written = root.FileControl()->OutputHtml(
        folder, "index.html", "*_analysis.html", "*_results.html", "large.lxm", "large.lap", false,
        false, "", "", true, true, "*_legs.html", true, "*_charts.html", true, "0,2,5,6,7", "");
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const double cpu = CpuSeconds() - cpu_start;
    if (!written) return 1;
    std::printf("site: %.1f s of CPU on %u threads, load average %.1f before, %.1f after\n", cpu,
                std::thread::hardware_concurrency(), load_before, LoadAverage());
    Print("site: wall-clock time", wall.count(), "s", 60);
    Print("site: bytes of its files (du -sb)", static_cast<double>(FolderBytes(folder)) / 1e6, "MB",
          300);
    fs::remove_all(folder);
  }
  return 0;
}
