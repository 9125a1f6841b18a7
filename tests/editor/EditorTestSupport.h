#pragma once

#include "editor/KelmoEditorInstall.h"
#include "engine/KelmoEditorFunctions.h"
#include "support/engine/KelmoTestSupport.h"
#include "support/ui/RecordingCanvas.h"
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

// A recording editor of a fresh plug-in (editor installed, host edits recorded) over a resource
// folder holding every picture name the editor loads; Lay() runs the plug-in's layout on it.
class RecordingEditor : public kelmotest::KelmoTest
{
public:
  // Every picture the recording canvas loads is this size at scale 1.
  static constexpr int kPictureW = 60;
  static constexpr int kPictureH = 40;
  // Background, 97 controls, the preset bar's six children.
  static constexpr int kNumControls = 104;

protected:
  void SetUp() override
  {
    KelmoTest::SetUp();
    for (const char* name : {"background@2x.jpg", "Bypass@2x.png", "Delta@2x.png", "CTRLLINK@2x.png",
                             "MiniFlipperVertAnim@2x.png", "FlipperTwoAnim@2x.png", "Nuppi@2x.png",
                             "NuppiOverlay@2x.png", "NuppiVarjo@2x.png", "Oversampling@2x.png", "Trim@2x.png",
                             "Power@2x.png", "SCF@2x.png", "MiniNuppi@2x.png", "Save@2x.png", "Trash@2x.png"})
      res.Write(name);
    k = MakeEditorKelmo();
    g = MakeCanvas();
  }
  void TearDown() override
  {
    g.reset();
    k.reset();
    KelmoTest::TearDown();
  }

  // A fresh recording canvas of the editor's size for k.
  std::unique_ptr<plugin::ui::test::RecordingCanvas> MakeCanvas(float drawScale = 1.f)
  {
    auto canvas = std::make_unique<plugin::ui::test::RecordingCanvas>(*k, 899, 500, 60, drawScale);
    canvas->bitmapWidth = kPictureW;
    canvas->bitmapHeight = kPictureH;
    return canvas;
  }
  // A fresh plug-in and canvas in place of the current ones.
  void Renew()
  {
    g.reset();
    k = MakeEditorKelmo();
    g = MakeCanvas();
  }
  void Lay() { k->LayoutUI(g.get()); }
  // Opens k's editor as a host does, on a recording canvas at drawScale made by the plug-in's
  // graphics factory (the plug-in owns it); the canvas, laid out.
  plugin::ui::test::RecordingCanvas& OpenThroughPlugin(float drawScale = 1.f)
  {
    k->SetMakeGraphicsFunc([this, drawScale] { return MakeCanvas(drawScale).release(); });
    k->OpenWindow(this);
    return *static_cast<plugin::ui::test::RecordingCanvas*>(k->GetUI());
  }
  plugin::ui::IControl* At(int idx) const { return g->GetControl(idx); }

  plugin::ui::test::ResourceFolder res;
  std::unique_ptr<EditorKelmo> k;
  std::unique_ptr<plugin::ui::test::RecordingCanvas> g;
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
