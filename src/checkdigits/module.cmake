# orvane_vardik._checkdigits: the check-digit algorithms of the core as
# functions, binding arguments with the documented module's helpers.
file(GLOB OV_CHECKDIGITS_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
ov_add_python_module(_checkdigits checkdigits ${OV_CHECKDIGITS_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/args.cpp)
