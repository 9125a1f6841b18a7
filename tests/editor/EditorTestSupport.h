#pragma once

#include "editor/KelmoEditorInstall.h"
#include "engine/KelmoEditorFunctions.h"
#include "engine/kelmo/KelmoTestSupport.h"
#include "support/ui/ResourceFolder.h"

#include <cxxabi.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

// Shared by the layout tests: the plug-in as a host would see it, with the editor installed, and
// the bundle's resources as the test locator finds them.
namespace editortest {

// The plug-in with its editor functions installed and its reports to the host recorded: a
// parameter index for every begin, value and end of a host edit. The editor routing is the real
// one, so that controls follow what the plug-in sends.
class EditorKelmo : public Kelmo
{
public:
  EditorKelmo() : Kelmo(plugin::InstanceInfo{}) {}

  void BeginInformHostOfParamChange(int paramIdx) override
  {
    hostEdits.push_back(paramIdx);
    Kelmo::BeginInformHostOfParamChange(paramIdx);
  }
  void InformHostOfParamChange(int paramIdx, double normalized) override
  {
    hostEdits.push_back(paramIdx);
    Kelmo::InformHostOfParamChange(paramIdx, normalized);
  }
  void EndInformHostOfParamChange(int paramIdx) override
  {
    hostEdits.push_back(paramIdx);
    Kelmo::EndInformHostOfParamChange(paramIdx);
  }

  std::vector<int> hostEdits;
};

// A plug-in built while the editor is installed, which it keeps; the installation itself is
// undone at once, so that no other test sees it.
inline std::unique_ptr<EditorKelmo> MakeEditorKelmo()
{
  plugin::ui::InstallKelmoEditor();
  auto k = std::make_unique<EditorKelmo>();
  InstallKelmoEditorFunctions({});
  return k;
}

// The bundle's resource folder of this build (pictures and fonts), as a test resource folder;
// names in `leaveOut` are not offered.
class BundleResources : public plugin::ui::test::ResourceFolder
{
public:
  explicit BundleResources(const std::set<std::string>& leaveOut = {})
  {
    for (const auto& entry : std::filesystem::directory_iterator(KELMO_RESOURCES_DIR))
      if (!leaveOut.contains(entry.path().filename().string()))
        std::filesystem::create_symlink(entry.path(), PathOf(entry.path().filename().string()));
  }
};

// The class of an object, as written in the source ("plugin::ui::IVKnobControl").
template <class T> std::string ClassOf(const T& object)
{
  int status = 0;
  char* name = abi::__cxa_demangle(typeid(object).name(), nullptr, nullptr, &status);
  std::string out = status == 0 && name ? name : typeid(object).name();
  std::free(name);
  return out;
}

} // namespace editortest
