#pragma once

#include <string>

// The user's and the machine's standard folders, laid out as on the platform: the user domain
// under the home folder, the local and system domains under a root folder. Home and root can be
// overridden, so that tests and tools never read or write the real home. Any thread; locks
// briefly; allocates.
namespace plugin::sys {

enum class SearchPathDirectory { Desktop, Library, ApplicationSupport, Music };
enum class SearchPathDomain { User, Local, System };

// The home folder: the override, else the user's passwd entry, else $HOME, else "/". Never ends
// in '/' (except "/").
std::string HomeDirectory();

// Overrides the home folder for this process; null or "" removes the override.
void SetHomeDirectory(const char* path);

// Root of the local and system domains ("/" unless overridden); null or "" removes the override.
std::string SystemRootDirectory();
void SetSystemRootDirectory(const char* path);

// The folder of that kind in that domain ("<home>/Library/Application Support" for the user
// domain; "<root>/Library/..." local; "<root>/System/Library/..." system); "" when the domain has
// no such folder.
std::string FirstStandardFolder(SearchPathDirectory directory, SearchPathDomain domain);

// The shared container of an application group: "<home>/Library/Group Containers/<group>";
// "" for a null or empty group.
std::string GroupContainerDirectory(const char* groupId);

// The running process's name (overridable for tests; null or "" removes the override).
std::string ProcessName();
void SetProcessName(const char* name);

} // namespace plugin::sys
