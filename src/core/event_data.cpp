#include "quorvex2/core/event_data.h"

#include "core/detail/catalogue.h"

namespace quorvex2 {

std::string clsEventData::ToString() const {
  std::string text = EventName;
  if (!Terrain.empty()) text.append(" [").append(Terrain).append("] ");
  if (EventDate.Value() > 0)
    text.append(" ").append(EventDate.ToString(detail::Tr("date", "yyyy年mm月dd日")));
  return text;
}

}  // namespace quorvex2
