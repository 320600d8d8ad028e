# RE2 as a static library compiled by the project's own toolchain: no
# system package, so a wheel built for an old C library carries code built
# for it. Included once by whichever module folder needs it.
if(NOT TARGET ov_re2)
  file(GLOB OV_RE2_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/re2/*.cc
    ${CMAKE_CURRENT_LIST_DIR}/util/*.cc)
  add_library(ov_re2 STATIC ${OV_RE2_SOURCES})
  target_include_directories(ov_re2 SYSTEM PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  set_target_properties(ov_re2 PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_compile_definitions(ov_re2 PRIVATE NDEBUG)
  if(MSVC)
    target_compile_options(ov_re2 PRIVATE /O2 /w)
  else()
    target_compile_options(ov_re2 PRIVATE -O2 -w)
  endif()
  find_package(Threads REQUIRED)
  target_link_libraries(ov_re2 PUBLIC Threads::Threads)
endif()
