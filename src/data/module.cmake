# orvane_vardik._data: IBAN parts, the bank behind an IBAN and sample values. It reads and writes
# columns with the columnar module's own import and export code, and binds
# arguments with the documented module's helpers.
file(GLOB OV_DATA_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
# The bank directory and national account checks (plain C++, src/bank).
file(GLOB OV_BANK_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/bank/*.cpp)
ov_add_python_module(_data data ${OV_DATA_SOURCES} ${OV_BANK_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/import.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/export.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/columns/kernel.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/args.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/unknown_id.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/suggest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/src/module/variant.cpp)
# Ids are those of the package (documented and extended), and an unknown one
# is answered as the package module answers it, closest ids included.
target_compile_definitions(_data PRIVATE OVPY_PACKAGE_MODULE)
target_link_libraries(_data PRIVATE Threads::Threads)
