# orvane_vardik._describe: what a value means, from the registry tables the
# package loads into it. Ids are those of the package (documented and
# extended), and an unknown one is answered as the package module answers it.
file(GLOB OV_DESCRIBE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
ov_add_python_module(_describe describe ${OV_DESCRIBE_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/args.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/unknown_id.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/suggest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/variant.cpp)
target_compile_definitions(_describe PRIVATE OVPY_PACKAGE_MODULE)
