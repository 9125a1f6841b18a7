#pragma once

#include <cstddef>
#include <iosfwd>

namespace kelmo::editor {

// What the editor showed the person outside its own picture during a script, told in text: each
// menu with its items numbered as "menu I/J" answers them, how it was answered, and each address
// the editor opened in the browser. Reads what the system layer's scripted user and workspace
// recorded. Main thread.
class ShownReport
{
public:
  // Starts after what the system has recorded so far.
  ShownReport();

  // Writes what was recorded since the last call (or since construction) to out.
  void WriteNew(std::ostream& out);

private:
  std::size_t mMenus = 0;
  std::size_t mUrls = 0;
};

} // namespace kelmo::editor
