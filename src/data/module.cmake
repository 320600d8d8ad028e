# orvane_vardik._data: IBAN parts and sample values. It reads and writes
# columns with the columnar module's own import and export code, and binds
# arguments with the documented module's helpers.
file(GLOB OV_DATA_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
ov_add_python_module(_data data ${OV_DATA_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/import.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/export.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/kernel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/args.cpp)
target_link_libraries(_data PRIVATE Threads::Threads)
