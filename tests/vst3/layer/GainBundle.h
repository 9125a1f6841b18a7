#pragma once

#include "tests/vst3/plug/GainIds.h"
#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/ModuleLoader.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace plugin::testhost {

// The host objects shared with the tools.
using namespace plugin::vst3host;

// Folder of the test gain bundle built next to the tests.
inline std::string GainBundlePath()
{
  return KELMO_TEST_GAIN_BUNDLE;
}

// Loads the test gain bundle; fails the test when it cannot.
inline std::unique_ptr<Module> LoadGainBundle()
{
  std::string error;
  auto module = Module::Load(GainBundlePath(), error);
  EXPECT_TRUE(module) << error;
  return module;
}

// One initialised gain effect, held through its interfaces.
struct GainInstance
{
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
  Steinberg::IPtr<Steinberg::Vst::IComponent> component;
  Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
  Steinberg::IPtr<HostApplication> host;

  // Creates an instance through the module's factory and initialises it with a host object.
  static GainInstance Create(const Module& module, const std::string& hostName = "Kelmo Test Host")
  {
    GainInstance g;
    g.processor =
        module.createInstance<Steinberg::Vst::IAudioProcessor>(plugin::testplug::kGainClassId.toTUID());
    EXPECT_TRUE(g.processor);
    if (!g.processor) return g;
    g.component = Steinberg::FUnknownPtr<Steinberg::Vst::IComponent>(g.processor);
    g.controller = Steinberg::FUnknownPtr<Steinberg::Vst::IEditController>(g.processor);
    g.host = Steinberg::owned(new HostApplication(hostName));
    EXPECT_EQ(g.component->initialize(g.host.get()), Steinberg::kResultOk);
    return g;
  }

  // Terminates and drops every reference (the effect is deleted here).
  void destroy()
  {
    if (component) component->terminate();
    controller = nullptr;
    component = nullptr;
    processor = nullptr;
  }
};

} // namespace plugin::testhost
