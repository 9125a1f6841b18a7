# stb headers from Debian's libstb-dev. Each stb implementation is compiled in exactly one
# source file of the library that uses it.
find_path(KELMO_STB_DIR stb_truetype.h PATHS /usr/include/stb REQUIRED)
add_library(stb INTERFACE)
target_include_directories(stb SYSTEM INTERFACE ${KELMO_STB_DIR})
