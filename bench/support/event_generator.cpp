#include "support/event_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include <quorvex2/core/format.h>
#include <quorvex2/files/file_control.h>

namespace qxbench {
namespace {

// splitmix64: the same sequence from the same seed on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
  int32_t Int(int32_t low, int32_t high) {  // inclusive
    return low + static_cast<int32_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }
  bool Chance(double p) { return Uniform() < p; }
  double Normal() {  // Box-Muller
    const double u = 1.0 - Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * Uniform());
  }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Next() % items.size()];
  }

 private:
  uint64_t state_;
};

const std::vector<std::string> kFamilyNames{
    "佐藤", "鈴木", "高橋",   "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤",
    "吉田", "山田", "佐々木", "山口", "松本", "井上", "木村", "林",   "斎藤", "清水",
    "山崎", "森",   "池田",   "橋本", "阿部", "石川", "前田", "藤田", "小川", "岡田"};
const std::vector<std::string> kMaleNames{"翔太", "大輔", "健太", "拓也", "直樹", "悠斗",
                                          "蓮",   "大翔", "誠",   "浩二", "隆",   "和也",
                                          "陽介", "亮",   "修",   "智也"};
const std::vector<std::string> kFemaleNames{"陽菜", "結衣", "美咲",   "さくら", "葵",   "七海",
                                            "由美", "恵子", "真由美", "彩",     "優子", "千尋",
                                            "麻衣", "愛",   "奈々",   "舞"};
const std::vector<std::string> kJapaneseClubs{
    "朝霧OLクラブ", "東都大学OLC",  "北杜OLクラブ", "湘南オリエンテーリング会",
    "京葉OLクラブ", "みちのくOLC",  "浪速OLクラブ", "丘陵走友会",
    "OLCふるさと",  "白樺OLクラブ", "多摩OL",       "ぐるーぷ・もり"};
const std::vector<std::string> kLatinGiven{"Anna", "Erik",   "Maja",  "Lars",   "Sofia", "Jonas",
                                           "Elin", "Mikko",  "Laura", "Thomas", "Nora",  "Jan",
                                           "Eva",  "Pierre", "Clara", "Matteo"};
const std::vector<std::string> kLatinFamily{"Andersson", "Virtanen", "Nilsen", "Schmid",   "Dubois",
                                            "Novak",     "Rossi",    "Hansen", "Kowalski", "Berg",
                                            "Lindqvist", "Moreau",   "Keller", "Horvat"};
const std::vector<std::string> kLatinClubs{"OK Forest", "IFK Nordwind",      "Kalevan Rasti",
                                           "OL Zürich", "Halden SK",         "CO Vallée",
                                           "TJ Lesy",   "Tampere Orienteers"};
const std::vector<std::string> kClassNames{"M21A", "W21A", "M20A", "W20A", "M35A", "W35A", "M40A",
                                           "W40A", "M50A", "W50A", "M60A", "W60A", "M18A", "W18A",
                                           "M15",  "W15",  "M12",  "W12",  "M21B", "W21B", "MA",
                                           "WA",   "MB",   "WB",   "N",    "OPEN"};

std::string ClassName(int32_t index) {
  const auto base = kClassNames[index % kClassNames.size()];
  const int32_t round = index / static_cast<int32_t>(kClassNames.size());
  return round == 0 ? base : base + "-" + std::to_string(round + 1);
}

std::string TimeText(int32_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

quorvex2::Date Seconds(double seconds) {
  return std::round(seconds) / 86400.0;
}

struct CourseLeg {
  double length_km;
  double technicality;  // >1: harder to navigate than to run
};

struct Course {
  int32_t number;
  std::vector<int32_t> codes;  // controls, finish not included
  std::vector<CourseLeg> legs;
  double length_km() const {
    return std::accumulate(legs.begin(), legs.end(), 0.0,
                           [](double sum, const CourseLeg& leg) { return sum + leg.length_km; });
  }
};

// Courses take stretches of one master sequence with some controls replaced, so they share
// stretches the way real courses of an event do.
std::vector<Course> MakeCourses(Random& random, const EventPlan& plan, int32_t count) {
  const int32_t pool = std::min(60 + count * 4, 890);
  std::vector<int32_t> master;
  for (int32_t i = 0; i < plan.legs_max + 4; ++i) master.push_back(101 + random.Int(0, pool));
  std::vector<Course> courses;
  for (int32_t number = 1; number <= count; ++number) {
    Course course{number, {}, {}};
    const int32_t legs = random.Int(plan.legs_min, std::min(plan.legs_max, 30));
    const int32_t offset = random.Int(0, static_cast<int32_t>(master.size()) - legs);
    for (int32_t i = 0; i < legs - 1; ++i) {
      int32_t code = random.Chance(0.2) ? 101 + random.Int(0, pool) : master[offset + i];
      while (std::find(course.codes.begin(), course.codes.end(), code) != course.codes.end()) {
        code = 101 + random.Int(0, pool);  // a course visits each control once
      }
      course.codes.push_back(code);
    }
    for (int32_t i = 0; i < legs; ++i) {
      course.legs.push_back({random.Uniform(0.15, 0.9), random.Uniform(0.85, 1.4)});
    }
    courses.push_back(std::move(course));
  }
  return courses;
}

void AddCourses(quorvex2::clsQuorvex2& root, const std::vector<Course>& courses) {
  for (const auto& course : courses) {
    auto data = root.AddCourse(course.number);
    data->ControlCount = static_cast<int32_t>(course.codes.size());
    for (size_t i = 0; i < course.codes.size(); ++i) {
      data->ControlNum(static_cast<int32_t>(i + 1), course.codes[i]);
    }
  }
}

enum class Outcome { kFinished, kSkipped, kMispunch, kDnf, kDns };

Outcome DrawOutcome(Random& random, const EventPlan& plan) {
  const double u = random.Uniform();
  double limit = plan.dns_rate;
  if (u < limit) return Outcome::kDns;
  if (u < (limit += plan.dnf_rate)) return Outcome::kDnf;
  if (u < (limit += plan.mispunch_rate)) return Outcome::kMispunch;
  if (u < (limit += plan.skip_rate)) return Outcome::kSkipped;
  return Outcome::kFinished;
}

// Leg times in seconds from the class's reference pace (minutes per km), the runner's form
// and the occasional big mistake.
std::vector<int32_t> LegSeconds(Random& random, const EventPlan& plan, const Course& course,
                                double pace, double form) {
  std::vector<int32_t> seconds;
  for (const auto& leg : course.legs) {
    double time = leg.length_km * pace * 60.0 * leg.technicality * form;
    time *= std::exp(0.08 * random.Normal());
    if (random.Chance(plan.mistake_rate)) time += time * random.Uniform(0.3, 2.5) + 30.0;
    seconds.push_back(std::max(12, static_cast<int32_t>(std::lround(time))));
  }
  return seconds;
}

struct Person {
  std::string name;
  std::string club;
};

Person MakePerson(Random& random, const EventPlan& plan, bool female) {
  if (random.Chance(plan.latin_share)) {
    return {random.Pick(kLatinGiven) + " " + random.Pick(kLatinFamily), random.Pick(kLatinClubs)};
  }
  const auto& given = female ? kFemaleNames : kMaleNames;
  const char* space = random.Chance(0.5) ? " " : "　";
  return {random.Pick(kFamilyNames) + space + random.Pick(given), random.Pick(kJapaneseClubs)};
}

// Fills the legs and the result by the outcome; returns the result in seconds (0 when the
// runner has no valid result).
int32_t FillLegs(Random& random, quorvex2::clsLapData& lap, Outcome outcome,
                 std::vector<int32_t> legs) {
  const int32_t count = static_cast<int32_t>(legs.size());
  if (outcome == Outcome::kDns) {
    lap.Result("DNS");
    return 0;
  }
  for (int32_t i = 0; i < count; ++i) lap.Lap(i + 1)->Value(Seconds(legs[i]));
  if (outcome == Outcome::kDnf) {
    const int32_t stop = random.Int(0, count - 2);
    for (int32_t i = stop; i < count; ++i) lap.Lap(i + 1)->Value(quorvex2::QX_TIME_NODATA);
    lap.LegCount(stop);
    lap.Result("DNF");
    return 0;
  }
  if (outcome == Outcome::kMispunch) {
    lap.Lap(random.Int(1, count - 1))->Value(quorvex2::QX_TIME_DISQ);
    lap.Result("MP");
    return 0;
  }
  if (outcome == Outcome::kSkipped) {
    const int32_t leg = random.Int(1, count - 1);  // the next leg carries both times
    lap.Lap(leg + 1)->Value(Seconds(legs[leg - 1] + legs[leg]));
    lap.Lap(leg)->Value(quorvex2::QX_TIME_SKIP);
  }
  const int32_t total = std::accumulate(legs.begin(), legs.end(), 0);
  lap.Result(TimeText(total));
  return total;
}

// Competition ranks (1, 2, 2, 4) over the runners with a result.
void SetRanks(quorvex2::clsClassData& data, const std::vector<int32_t>& totals) {
  std::vector<int32_t> order;
  for (int32_t i = 0; i < static_cast<int32_t>(totals.size()); ++i) {
    if (totals[i] > 0) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&totals](int32_t a, int32_t b) { return totals[a] < totals[b]; });
  for (size_t k = 0; k < order.size(); ++k) {
    const bool tie = k > 0 && totals[order[k]] == totals[order[k - 1]];
    auto lap = data.LapData(order[k] + 1);
    lap->Rank = tie ? data.LapData(order[k - 1] + 1)->Rank : std::to_string(k + 1);
  }
}

class Generator {
 public:
  Generator(quorvex2::clsQuorvex2& root, const EventPlan& plan)
      : root_(root), plan_(plan), random_(plan.seed) {}

  void Run() {
    root_.Clear();
    FillEvent();
    const int32_t per_course = std::max(1, plan_.classes_per_course);
    const int32_t course_count = (plan_.class_count + per_course - 1) / per_course;
    courses_ = MakeCourses(random_, plan_, course_count);
    AddCourses(root_, courses_);
    for (int32_t index = 0; index < plan_.class_count; ++index) {
      AddClass(index, courses_[index / per_course]);
    }
  }

 private:
  void FillEvent() {
    auto event = root_.EventData();
    event->EventName = plan_.event_name;
    event->Terrain = plan_.terrain;
    event->EventDate.Value(quorvex2::MakeDate(plan_.year, plan_.month, plan_.day));
    event->Memo = "Synthetic event, seed " + std::to_string(plan_.seed);
    event->OfficialSite = "https://example.org/events/" + std::to_string(plan_.seed) + "/";
    auto meta = root_.MetaData();
    meta->CreateApplication = "qx-generate";
    meta->CreateDate = quorvex2::MakeDate(plan_.year, plan_.month, plan_.day, 19, 30, 0);
    meta->CreateUserName = "generator";
  }

  int32_t RunnerCount(int32_t index) {
    if (index < static_cast<int32_t>(plan_.runners.size())) return plan_.runners[index];
    return random_.Int(plan_.runners_min, std::max(plan_.runners_min, plan_.runners_max));
  }

  void AddClass(int32_t index, const Course& course) {
    const std::string name = ClassName(index);
    auto data = root_.AddClass(name);
    data->CourseNum = course.number;
    data->ControlCount = static_cast<int32_t>(course.codes.size());
    data->Length = static_cast<int32_t>(std::lround(course.length_km() * 10.0)) * 100;
    data->Climb = static_cast<int32_t>(data->Length * random_.Uniform(0.02, 0.045)) / 5 * 5;
    const bool female = name[0] == 'W';
    const double pace = random_.Uniform(5.5, 10.0);  // minutes per km of a good runner
    const quorvex2::Date first_start =
        Seconds(10 * 3600 + (index % 12) * 150 + random_.Int(0, 4) * 60);
    const int32_t interval = random_.Int(1, 2) * 60;
    const int32_t count = RunnerCount(index);
    std::vector<int32_t> totals;
    for (int32_t k = 0; k < count; ++k) {
      auto lap = data->AddLap();
      totals.push_back(FillRunner(*lap, course, pace, female));
      lap->StartTime.Value(first_start + Seconds(k * interval));
    }
    SetRanks(*data, totals);
  }

  int32_t FillRunner(quorvex2::clsLapData& lap, const Course& course, double pace, bool female) {
    const Person person = MakePerson(random_, plan_, female);
    lap.RunnerName = person.name;
    lap.ClubName = person.club;
    lap.ID = next_id_++;
    lap.Ecard = random_.Int(100000, 2999999);
    lap.Sex = female ? "W" : "M";
    if (random_.Chance(0.4)) lap.Age = std::to_string(random_.Int(12, 75));
    const double form = std::exp(0.18 * random_.Normal()) * random_.Uniform(1.0, 1.25);
    const Outcome outcome = DrawOutcome(random_, plan_);
    return FillLegs(random_, lap, outcome, LegSeconds(random_, plan_, course, pace, form));
  }

  quorvex2::clsQuorvex2& root_;
  const EventPlan& plan_;
  Random random_;
  std::vector<Course> courses_;
  int32_t next_id_ = 1001;
};

}  // namespace

void GenerateEvent(quorvex2::clsQuorvex2& root, const EventPlan& plan) {
  Generator(root, plan).Run();
}

bool WriteEvent(const EventPlan& plan, const std::string& path, int32_t file_type,
                int32_t save_mode) {
  quorvex2::clsQuorvex2 root;
  GenerateEvent(root, plan);
  return root.FileControl()->SaveLapFile(path, file_type, save_mode);
}

EventPlan LargeEventPlan(uint64_t seed) {
  EventPlan plan;
  plan.seed = seed;
  plan.class_count = 150;
  plan.runners = {1700};
  // The other 149 classes share 18,300 runners: 123 or 122 each.
  for (int32_t i = 1; i < 150; ++i) plan.runners.push_back(i <= 122 ? 123 : 122);
  plan.legs_min = 15;
  plan.legs_max = 30;
  plan.classes_per_course = 3;
  return plan;
}

}  // namespace qxbench
