#include "platform/mac/system/NotificationCenter.h"

#include <algorithm>

namespace plugin::sys {

NotificationCenter& NotificationCenter::Default()
{
  static NotificationCenter center;
  return center;
}

void NotificationCenter::AddObserver(const void* observer, std::string name, const void* object,
                                     Handler handler)
{
  if (!observer || !handler) return;
  mEntries.push_back(Entry{mNextId++, observer, std::move(name), object, std::move(handler)});
}

void NotificationCenter::RemoveObserver(const void* observer)
{
  std::erase_if(mEntries, [observer](const Entry& e) { return e.observer == observer; });
}

void NotificationCenter::Post(std::string_view name, const void* object)
{
  // Handlers may add and remove entries: walk a list of ids and look each one up again.
  std::vector<unsigned long> due;
  for (const Entry& e : mEntries)
    if (e.name == name && (!e.object || e.object == object)) due.push_back(e.id);
  for (const unsigned long id : due) {
    const auto it =
        std::find_if(mEntries.begin(), mEntries.end(), [id](const Entry& e) { return e.id == id; });
    if (it == mEntries.end()) continue;
    const Handler handler = it->handler; // the entry may go away while it runs
    handler();
  }
}

} // namespace plugin::sys
