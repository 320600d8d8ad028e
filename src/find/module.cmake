# orvane_vardik._find: the text finder, its own extension module on the
# core, with RE2 built from the vendored sources. The column entry points
# reuse the Arrow importer of src/columns and the argument binding of
# src/module.
include(${CMAKE_CURRENT_SOURCE_DIR}/third_party/re2/re2.cmake)
file(GLOB OV_FIND_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/find/*.cpp)
ov_add_python_module(_find find ${OV_FIND_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/import.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/args.cpp)
target_link_libraries(_find PRIVATE ov_re2 Threads::Threads)
