# The package module `orvane_vardik._api`: the documented module's own
# sources (src/module) built once more over every record, documented and
# extended, plus the suggestions for unknown ids.
file(GLOB OV_API_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/api/*.cpp)
ov_add_python_module(_api api ${OV_API_SOURCES})
target_compile_definitions(_api PRIVATE OVPY_PACKAGE_MODULE)
