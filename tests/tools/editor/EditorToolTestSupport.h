#pragma once

// Shared by the kelmo-editor tests: an environment variable set for one case, an editor session
// on the built bundle, and parameter values as the host shows them.
#include "tools/editor/EditorSession.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace editortest {

// Sets (or, with none, unsets) an environment variable and puts it back on destruction.
class ScopedEnv
{
public:
  ScopedEnv(const char* name, std::optional<std::string> value) : mName(name)
  {
    if (const char* old = std::getenv(name)) mOld = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv()
  {
    if (mOld)
      ::setenv(mName.c_str(), mOld->c_str(), 1);
    else
      ::unsetenv(mName.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  std::string mName;
  std::optional<std::string> mOld;
};

// The editor opened on the bundle the build made; fails the case when it cannot open.
inline std::unique_ptr<kelmo::editor::EditorSession> OpenSession()
{
  kelmo::editor::SessionOptions options;
  options.bundleDir = KELMO_BUNDLE;
  std::string error;
  auto session = kelmo::editor::EditorSession::Open(options, error);
  EXPECT_TRUE(session) << error;
  return session;
}

// The parameter's value as the host shows it (its display text, without the unit).
inline std::string ShownValue(kelmo::editor::EditorSession& session, Steinberg::Vst::ParamID id)
{
  auto& controller = session.Plugin().Controller();
  Steinberg::Vst::String128 text{};
  controller.getParamStringByValue(id, controller.getParamNormalized(id), text);
  std::string ascii;
  for (const Steinberg::Vst::TChar* c = text; *c; ++c)
    ascii += static_cast<char>(*c);
  return ascii;
}

} // namespace editortest
