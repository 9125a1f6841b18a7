#pragma once

#include "support/TempFolder.h"
#include "support/vst3/ComponentHandler.h"
#include "support/vst3/ProcessBlock.h"
#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/ModuleLoader.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstchannelcontextinfo.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <dlfcn.h>
#include <stdlib.h>

namespace kelmotest {

using namespace plugin::testhost;

// The compressor's class id as the factory lists it.
inline constexpr Steinberg::TUID kKelmoCid = {static_cast<char>(0xF2),
                                              static_cast<char>(0xAE),
                                              static_cast<char>(0xE7),
                                              0x0D,
                                              0x00,
                                              static_cast<char>(0xDE),
                                              0x4F,
                                              0x4E,
                                              'Q',
                                              'M',
                                              'R',
                                              'L',
                                              'Z',
                                              'P',
                                              'H',
                                              'k'};
inline constexpr int kNumKelmoParams = 44;
inline constexpr Steinberg::Vst::ParamID kBypassId = 0x10000;
inline constexpr Steinberg::Vst::ParamID kPresetListId = 0x10001;

// Folder of the compressor bundle built next to the tests.
inline std::string KelmoBundlePath()
{
  return KELMO_BUNDLE;
}

// What every test process of the bundle needs:
// - The bundle's instances read user presets: they are pointed at an empty folder of the
//   process's own, so that the user's files neither change results nor get touched.
// - The bundle stays mapped for the whole process (one extra load that is never undone): the
//   framework's main run loop is a deliberately immortal object inside the module, which every
//   unload would otherwise strand and the leak checker report.
class BundleEnvironment : public ::testing::Environment
{
public:
  void SetUp() override
  {
    mFolder = std::make_unique<testsupport::TempFolder>("kelmo-binding");
    ::setenv("KELMO_USER_PRESET_DIR", mFolder->Path().c_str(), 1);
    const std::string binary = Module::BinaryPathOf(KELMO_BUNDLE);
    ASSERT_NE(::dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL), nullptr) << ::dlerror();
  }
  void TearDown() override { mFolder.reset(); }

private:
  std::unique_ptr<testsupport::TempFolder> mFolder;
};

// Loads the compressor bundle; fails the test when it cannot.
inline std::unique_ptr<Module> LoadKelmoBundle()
{
  std::string error;
  auto module = Module::Load(KelmoBundlePath(), error);
  EXPECT_TRUE(module) << error;
  return module;
}

// One compressor instance held through its interfaces.
struct KelmoInstance
{
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
  Steinberg::IPtr<Steinberg::Vst::IComponent> component;
  Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
  Steinberg::IPtr<Steinberg::Vst::IUnitInfo> units;
  Steinberg::IPtr<Steinberg::Vst::IMidiMapping> midiMapping;
  Steinberg::IPtr<Steinberg::Vst::ChannelContext::IInfoListener> channelContext;
  Steinberg::IPtr<HostApplication> host;
  Steinberg::IPtr<ComponentHandler> handler;

  // Creates an instance, initialises it with a host of that name and gives it a recording
  // component handler.
  static KelmoInstance Create(const Module& module, const std::string& hostName = "Kelmo Test Host")
  {
    KelmoInstance k;
    k.processor = module.createInstance<Steinberg::Vst::IAudioProcessor>(kKelmoCid);
    EXPECT_TRUE(k.processor);
    if (!k.processor) return k;
    k.component = Steinberg::FUnknownPtr<Steinberg::Vst::IComponent>(k.processor);
    k.controller = Steinberg::FUnknownPtr<Steinberg::Vst::IEditController>(k.processor);
    k.units = Steinberg::FUnknownPtr<Steinberg::Vst::IUnitInfo>(k.processor);
    k.midiMapping = Steinberg::FUnknownPtr<Steinberg::Vst::IMidiMapping>(k.processor);
    k.channelContext = Steinberg::FUnknownPtr<Steinberg::Vst::ChannelContext::IInfoListener>(k.processor);
    k.host = Steinberg::owned(new HostApplication(hostName));
    EXPECT_EQ(k.component->initialize(k.host.get()), Steinberg::kResultOk);
    k.ActivateDefaultBuses();
    k.handler = Steinberg::owned(new ComponentHandler);
    EXPECT_EQ(k.controller->setComponentHandler(k.handler.get()), Steinberg::kResultOk);
    return k;
  }

  // Switches on the buses the plug-in asks to have on, as hosts do after initialise.
  void ActivateDefaultBuses()
  {
    using namespace Steinberg::Vst;
    for (BusDirection dir : {kInput, kOutput}) {
      for (Steinberg::int32 i = 0; i < component->getBusCount(kAudio, dir); ++i) {
        BusInfo info{};
        if (component->getBusInfo(kAudio, dir, i, info) == Steinberg::kResultOk &&
            (info.flags & BusInfo::kDefaultActive))
          component->activateBus(kAudio, dir, i, true);
      }
    }
  }

  // Set-up, activation and processing on.
  void Start(Steinberg::int32 sampleSize, double rate, int maxBlock)
  {
    Steinberg::Vst::ProcessSetup setup = MakeSetup(sampleSize, rate, maxBlock);
    ASSERT_EQ(processor->setupProcessing(setup), Steinberg::kResultOk);
    ASSERT_EQ(component->setActive(true), Steinberg::kResultOk);
    ASSERT_EQ(processor->setProcessing(true), Steinberg::kResultOk);
  }
  void Stop()
  {
    processor->setProcessing(false);
    component->setActive(false);
  }

  // Terminates and drops every reference (the instance is deleted here).
  void Destroy()
  {
    if (component) component->terminate();
    channelContext = nullptr;
    midiMapping = nullptr;
    units = nullptr;
    controller = nullptr;
    component = nullptr;
    processor = nullptr;
  }
};

// Every test of the bundle: the module loaded once per test, one initialised instance.
class KelmoBundleTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    module = LoadKelmoBundle();
    ASSERT_TRUE(module);
    kelmo = KelmoInstance::Create(*module);
    ASSERT_TRUE(kelmo.processor);
  }
  void TearDown() override { kelmo.Destroy(); }

  std::unique_ptr<Module> module;
  KelmoInstance kelmo;
};

} // namespace kelmotest
