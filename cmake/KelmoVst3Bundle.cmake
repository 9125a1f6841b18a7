# kelmo_add_vst3_bundle(<target>
#     SOURCES <src>...                  sources of the plug-in module
#     [LIBRARIES <lib>...]              libraries linked privately (vst3layer and the module entry
#                                       points are always linked)
#     [BUNDLE_NAME <name>]              bundle and .so name (default: <target>)
#     [OUTPUT_DIRECTORY <dir>]          folder that receives <name>.vst3 (default: ${CMAKE_BINARY_DIR}/vst3)
#     [INSTALL])                        `cmake --install` copies the whole bundle, as built, into
#                                       KELMO_VST3_INSTALL_DIR, in place of the one installed before
#
# Builds a Linux VST3 bundle: <dir>/<name>.vst3/Contents/<arch>-linux/<name>.so, a MODULE linked
# with -Wl,--no-undefined and hidden visibility that exports only GetPluginFactory, ModuleEntry,
# ModuleExit and, when it links the platform layer, the graphics context's file drag
# (vst3-exports.map). The bundle folder is stored in the target property KELMO_VST3_BUNDLE_DIR and the .so
# path in KELMO_VST3_BUNDLE_BINARY.
#
# kelmo_add_vst3_export_test(<target> [EXPORTS <name>...]) adds a ctest test checking that the
# bundle's dynamic exports are exactly the names given (C++ names demangled), by default the three
# entry points.
include_guard(GLOBAL)

set(KELMO_VST3_INSTALL_DIR "$ENV{HOME}/.vst3" CACHE PATH
    "Folder that `cmake --install` puts VST3 bundles in (a relative one lies under the install prefix)")
# The bundle's architecture folder for this build, e.g. x86_64-linux.
function(kelmo_vst3_arch_dir out)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    set(${out} "x86_64-linux" PARENT_SCOPE)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    set(${out} "aarch64-linux" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_SYSTEM_PROCESSOR}-linux" PARENT_SCOPE)
  endif()
endfunction()

function(kelmo_add_vst3_bundle target)
  set(_kelmo_vst3_cmake_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")
  kelmo_vst3_arch_dir(KELMO_VST3_ARCH_DIR)
  cmake_parse_arguments(ARG "INSTALL" "BUNDLE_NAME;OUTPUT_DIRECTORY" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "kelmo_add_vst3_bundle(${target}): SOURCES missing")
  endif()
  set(name "${target}")
  if(ARG_BUNDLE_NAME)
    set(name "${ARG_BUNDLE_NAME}")
  endif()
  set(outdir "${CMAKE_BINARY_DIR}/vst3")
  if(ARG_OUTPUT_DIRECTORY)
    set(outdir "${ARG_OUTPUT_DIRECTORY}")
  endif()
  set(bundle "${outdir}/${name}.vst3")
  set(bindir "${bundle}/Contents/${KELMO_VST3_ARCH_DIR}")

  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE vst3_module_entry vst3layer ${ARG_LIBRARIES})
  target_compile_options(${target} PRIVATE ${KELMO_WARNINGS})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_options(${target} PRIVATE
    -Wl,--no-undefined
    -Wl,--version-script=${_kelmo_vst3_cmake_dir}/vst3-exports.map)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".so"
    OUTPUT_NAME "${name}"
    # The generator expression keeps multi-config generators from adding a config folder.
    LIBRARY_OUTPUT_DIRECTORY "$<1:${bindir}>"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS "${_kelmo_vst3_cmake_dir}/vst3-exports.map"
    KELMO_VST3_BUNDLE_DIR "${bundle}"
    KELMO_VST3_BUNDLE_BINARY "${bindir}/${name}.so")

  if(ARG_INSTALL)
    # The bundle is one unit: the copy installed before goes first (DESTDIR and --prefix applied as
    # for the files), so that nothing the build no longer makes lingers in it. A symbolic link in
    # its place is removed, never followed.
    string(CONFIGURE [==[
      set(installed [[@KELMO_VST3_INSTALL_DIR@]])
      if(NOT IS_ABSOLUTE "${installed}")
        set(installed "${CMAKE_INSTALL_PREFIX}/${installed}")
      endif()
      set(installed "$ENV{DESTDIR}${installed}/@name@.vst3")
      if(EXISTS "${installed}" OR IS_SYMLINK "${installed}")
        message(STATUS "Removing: ${installed}")
        file(REMOVE_RECURSE "${installed}")
      endif()
    ]==] remove_installed @ONLY)
    install(CODE "${remove_installed}")
    # Every file of the built bundle in the same tree: the module, and the pictures, fonts and
    # licences the build puts in Contents/Resources. Copied as they are, permissions included.
    install(DIRECTORY "${bundle}" DESTINATION "${KELMO_VST3_INSTALL_DIR}" USE_SOURCE_PERMISSIONS)
  endif()
endfunction()

function(kelmo_add_vst3_export_test target)
  set(_kelmo_vst3_cmake_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")
  cmake_parse_arguments(ARG "" "" "EXPORTS" ${ARGN})
  set(exports GetPluginFactory ModuleEntry ModuleExit)
  if(ARG_EXPORTS)
    set(exports ${ARG_EXPORTS})
  endif()
  add_test(NAME ${target}_exports
    COMMAND ${CMAKE_COMMAND}
      -DBINARY=$<TARGET_PROPERTY:${target},KELMO_VST3_BUNDLE_BINARY>
      -P ${_kelmo_vst3_cmake_dir}/KelmoCheckVst3Exports.cmake -- ${exports})
  set_tests_properties(${target}_exports PROPERTIES LABELS "vst3")
endfunction()
