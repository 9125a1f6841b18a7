#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Named notifications from an object to the observers that asked for them. An observer added
// twice is called twice. Main thread only.
namespace plugin::sys {

class NotificationCenter
{
public:
  // Called on the main thread by Post; may remove observers (itself included) and allocate.
  using Handler = std::function<void()>;

  static NotificationCenter& Default();

  // Calls handler whenever object posts name (a null object: whoever posts it). Ignored for a
  // null observer or an empty handler.
  void AddObserver(const void* observer, std::string name, const void* object, Handler handler);

  // Forgets every registration of observer.
  void RemoveObserver(const void* observer);

  // Calls the matching handlers in the order they were added; an observer removed during the
  // post is not called afterwards.
  void Post(std::string_view name, const void* object);

private:
  struct Entry
  {
    unsigned long id;
    const void* observer;
    std::string name;
    const void* object;
    Handler handler;
  };
  std::vector<Entry> mEntries;
  unsigned long mNextId = 1;
};

} // namespace plugin::sys
