#pragma once
// A synthetic orienteering event, deterministic from a seed: classes with runners, courses
// shared by several classes, realistic leg times (a reference pace per class, each runner's
// form, occasional big mistakes), skipped punches, mispunches, DNF and DNS, Japanese and Latin
// names and clubs, start times.
#include <cstdint>
#include <string>
#include <vector>

#include <quorvex2/core/root.h>

namespace qxbench {

struct EventPlan {
  uint64_t seed = 1;
  int32_t class_count = 6;
  // Runners of each class, in class order; classes beyond the list get a count drawn from
  // [runners_min, runners_max].
  std::vector<int32_t> runners;
  int32_t runners_min = 10;
  int32_t runners_max = 40;
  int32_t legs_min = 8;  // legs = controls + 1 (the last leg ends at the finish); at most 30
  int32_t legs_max = 16;
  int32_t classes_per_course = 2;  // courses shared by that many classes
  double latin_share = 0.3;        // share of runners with Latin names and clubs
  double dns_rate = 0.03;
  double dnf_rate = 0.03;
  double mispunch_rate = 0.02;
  double skip_rate = 0.03;     // a runner with one control not recorded (a missing punch)
  double mistake_rate = 0.07;  // per leg: a big mistake
  std::string event_name = "第12回 秋の森林オリエンテーリング大会";
  std::string terrain = "朝霧高原";
  int32_t year = 2026, month = 10, day = 18;
};

// Clears the root and fills it with the event.
void GenerateEvent(quorvex2::clsQuorvex2& root, const EventPlan& plan);

// Generates the event into a new root and saves it through SaveLapFile (type 0 follows the
// extension). False when saving failed.
bool WriteEvent(const EventPlan& plan, const std::string& path, int32_t file_type = 0,
                int32_t save_mode = 0);

// The benchmark event: 20,000 runners in 150 classes, one of 1,700 runners, 15 to 30 legs.
EventPlan LargeEventPlan(uint64_t seed = 20000);

}  // namespace qxbench
