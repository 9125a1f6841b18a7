# The plug-in's resources: the editor's pictures, drawn at build time by kelmo-artwork, and the
# fonts the editor loads, copied from the font packages with their licence files.
#
# kelmo_add_resources()
#   Target kelmo_resources gathers them all in KELMO_RESOURCES_DIR (<build>/resources), where
#   tests and tools find them.
# kelmo_add_bundle_resources(<bundle target>)
#   Copies that folder into the bundle's Contents/Resources whenever the bundle target is built.
include_guard(GLOBAL)

set(KELMO_RESOURCES_DIR "${CMAKE_BINARY_DIR}/resources" CACHE INTERNAL "Folder of the plug-in's resources")

# Font package folders (fonts-roboto-unhinted, fonts-lato, fonts-dejavu-core).
find_path(KELMO_FONT_ROBOTO_DIR Roboto-Regular.ttf
  PATHS /usr/share/fonts/truetype/roboto/unhinted/RobotoTTF NO_DEFAULT_PATH REQUIRED)
find_path(KELMO_FONT_ROBOTO_CONDENSED_DIR RobotoCondensed-Bold.ttf
  PATHS /usr/share/fonts/truetype/roboto/unhinted NO_DEFAULT_PATH REQUIRED)
find_path(KELMO_FONT_LATO_DIR Lato-Bold.ttf PATHS /usr/share/fonts/truetype/lato NO_DEFAULT_PATH REQUIRED)
find_path(KELMO_FONT_DEJAVU_DIR DejaVuSansMono-Bold.ttf
  PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH REQUIRED)

function(kelmo_add_resources)
  # Files copied into the resources: "<source>|<name in the resources>". RobotoMono has no Debian
  # package: DejaVu Sans Mono Bold (fonts-dejavu-core) stands in for it under the name the layout
  # loads; change that one line to ship it under its own name instead.
  set(files
    "${KELMO_FONT_ROBOTO_DIR}/Roboto-Regular.ttf|Roboto-Regular.ttf"
    "${KELMO_FONT_LATO_DIR}/Lato-Bold.ttf|Lato-Bold.ttf"
    "${KELMO_FONT_DEJAVU_DIR}/DejaVuSansMono-Bold.ttf|RobotoMono-Bold.ttf"
    "/usr/share/doc/fonts-roboto-unhinted/copyright|Roboto-LICENSE.txt"
    "/usr/share/doc/fonts-lato/copyright|Lato-LICENSE.txt"
    "/usr/share/doc/fonts-dejavu-core/copyright|DejaVuSansMono-LICENSE.txt")

  set(outputs "")
  foreach(entry ${files})
    string(REPLACE "|" ";" pair "${entry}")
    list(GET pair 0 src)
    list(GET pair 1 name)
    if(NOT EXISTS "${src}")
      message(FATAL_ERROR "Resource file missing: ${src} (see tools/install-deps)")
    endif()
    add_custom_command(OUTPUT "${KELMO_RESOURCES_DIR}/${name}"
      COMMAND ${CMAKE_COMMAND} -E copy "${src}" "${KELMO_RESOURCES_DIR}/${name}"
      DEPENDS "${src}"
      VERBATIM)
    list(APPEND outputs "${KELMO_RESOURCES_DIR}/${name}")
  endforeach()

  set(stamp "${CMAKE_BINARY_DIR}/resources-artwork.stamp")
  add_custom_command(OUTPUT "${stamp}"
    COMMAND kelmo-artwork "${KELMO_RESOURCES_DIR}"
    COMMAND ${CMAKE_COMMAND} -E touch "${stamp}"
    DEPENDS kelmo-artwork
    COMMENT "Drawing the editor's pictures into ${KELMO_RESOURCES_DIR}"
    VERBATIM)
  add_custom_target(kelmo_resources ALL DEPENDS "${stamp}" ${outputs})
  set_property(GLOBAL PROPERTY KELMO_RESOURCE_OUTPUTS "${stamp}" ${outputs})
endfunction()

function(kelmo_add_bundle_resources bundle_target)
  get_target_property(bundle ${bundle_target} KELMO_VST3_BUNDLE_DIR)
  get_property(resources GLOBAL PROPERTY KELMO_RESOURCE_OUTPUTS)
  set(stamp "${CMAKE_BINARY_DIR}/${bundle_target}-resources.stamp")
  add_custom_command(OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${KELMO_RESOURCES_DIR}" "${bundle}/Contents/Resources"
    COMMAND ${CMAKE_COMMAND} -E touch "${stamp}"
    DEPENDS ${resources}
    COMMENT "Copying the resources into ${bundle}/Contents/Resources"
    VERBATIM)
  add_custom_target(${bundle_target}_resources DEPENDS "${stamp}")
  # Ordered after the target that makes the resources, so that a parallel build never runs their
  # commands twice at once (both targets would otherwise carry the rules for the same files).
  add_dependencies(${bundle_target}_resources kelmo_resources)
  add_dependencies(${bundle_target} ${bundle_target}_resources)
endfunction()
