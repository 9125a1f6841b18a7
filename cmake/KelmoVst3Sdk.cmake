# Locates the VST3 SDK folder and builds the parts of it the plug-in uses as the static,
# position-independent library `vst3sdk`. The SDK is third-party code: its headers are SYSTEM
# includes and its warnings are off.
include_guard(GLOBAL)

find_path(KELMO_VST3_SDK_DIR
  NAMES pluginterfaces/vst/ivstcomponent.h
  PATHS
    /usr/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
    /usr/local/share/juce/modules/juce_audio_processors/format_types/VST3_SDK
  DOC "Folder of the VST3 SDK (holds pluginterfaces, base and public.sdk)"
  NO_DEFAULT_PATH)
if(NOT KELMO_VST3_SDK_DIR)
  message(FATAL_ERROR "VST3 SDK not found: run ./tools/install-deps or set KELMO_VST3_SDK_DIR")
endif()

set(_sdk "${KELMO_VST3_SDK_DIR}")
set(KELMO_VST3_SDK_SOURCES
  ${_sdk}/pluginterfaces/base/conststringtable.cpp
  ${_sdk}/pluginterfaces/base/coreiids.cpp
  ${_sdk}/pluginterfaces/base/funknown.cpp
  ${_sdk}/pluginterfaces/base/ustring.cpp
  ${_sdk}/base/source/baseiids.cpp
  ${_sdk}/base/source/fbuffer.cpp
  ${_sdk}/base/source/fdebug.cpp
  ${_sdk}/base/source/fobject.cpp
  ${_sdk}/base/source/fstreamer.cpp
  ${_sdk}/base/source/fstring.cpp
  ${_sdk}/base/source/updatehandler.cpp
  ${_sdk}/base/thread/source/flock.cpp
  ${_sdk}/public.sdk/source/common/memorystream.cpp
  ${_sdk}/public.sdk/source/common/pluginview.cpp
  ${_sdk}/public.sdk/source/vst/vstbus.cpp
  ${_sdk}/public.sdk/source/vst/vstcomponentbase.cpp
  ${_sdk}/public.sdk/source/vst/vsteditcontroller.cpp
  ${_sdk}/public.sdk/source/vst/vstinitiids.cpp
  ${_sdk}/public.sdk/source/vst/vstparameters.cpp)
foreach(_f ${KELMO_VST3_SDK_SOURCES})
  if(NOT EXISTS "${_f}")
    message(FATAL_ERROR "VST3 SDK in ${KELMO_VST3_SDK_DIR} lacks ${_f}")
  endif()
endforeach()

# The SDK declares the view interface ids but its sources do not define them; our definitions
# live in the same library, since the SDK's own view base refers to them.
add_library(vst3sdk STATIC ${KELMO_VST3_SDK_SOURCES} ${CMAKE_SOURCE_DIR}/vst3/layer/ViewInterfaceIds.cpp)
target_include_directories(vst3sdk SYSTEM PUBLIC "${KELMO_VST3_SDK_DIR}")
# The SDK's debug mode traps on its own asserts; the release mode keeps them out of the host.
target_compile_definitions(vst3sdk PUBLIC RELEASE=1)
target_compile_options(vst3sdk PRIVATE -w)
target_link_libraries(vst3sdk PUBLIC Threads::Threads)
set_target_properties(vst3sdk PROPERTIES
  POSITION_INDEPENDENT_CODE ON
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
