// IOF clock times moved into the event's time zone.
//
// The model keeps clock times as local times of day (StartTime and the charts by clock time
// need nothing else); the zone they are local to is an event-wide text, clsEventData::TimeZone,
// which only the IOF 3.0 reader fills and the 3.0 writer writes back.
#include <cmath>
#include <utility>

#include "files/iof_reader_parts.h"

namespace quorvex2::detail {

IofClock::IofClock(std::string zone, bool may_adopt)
    : zone_(std::move(zone)), may_adopt_(may_adopt) {}

std::optional<Date> IofClock::TimeOfDay(const std::optional<IofDateTime>& value) {
  if (!value) return std::nullopt;
  if (!first_day_) first_day_ = value->day;
  if (zone_.empty() && may_adopt_) zone_ = value->zone;
  const auto event_zone = IofZoneMinutes(zone_);
  const auto own_zone = IofZoneMinutes(value->zone);
  if (!event_zone || !own_zone || *event_zone == *own_zone) return value->time;
  constexpr long long kDay = 86400;
  const long long moved = std::llround(value->time * kDay) + (*event_zone - *own_zone) * 60LL;
  return static_cast<double>((moved % kDay + kDay) % kDay) / kDay;
}

}  // namespace quorvex2::detail
