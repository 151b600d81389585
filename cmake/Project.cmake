# Shared build rules for the project's libraries, programs and tests.

set(QUENTA_WARNINGS -Wall -Wextra -Wno-unused-parameter)

# quenta_add_subfolders(): adds every folder below the current one that holds
# a CMakeLists.txt (tests/, bench/, fuzz/); those files never add subfolders.
function(quenta_add_subfolders)
  file(GLOB_RECURSE lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT lists)
  foreach(list_file IN LISTS lists)
    get_filename_component(dir ${list_file} DIRECTORY)
    add_subdirectory(${dir})
  endforeach()
endfunction()

# quenta_library(<target> [DEPS <targets>...] [PRIVATE_DEPS <targets>...])
# Builds every .cpp of the calling folder into one static library. The
# include root is the source tree, so headers are included as
# "platform/rtl/SysUtils.h".
function(quenta_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${QUENTA_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# quenta_test(<name> SOURCES <files>... [LIBS <targets>...] [LABELS <labels>...] [GUI] [TIMEOUT <s>])
# One GoogleTest program; its cases are registered with CTest one by one,
# carrying the given labels. Qt runs offscreen. GUI programs get a main that
# creates the GUI application first.
function(quenta_test name)
  cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  set(test_main quenta_test_main)
  if(ARG_GUI)
    set(test_main quenta_gui_test_main)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${QUENTA_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest ${test_main})
  # The test mains set the environment (QT_QPA_PLATFORM, QUENTA_SOURCE_DIR,
  # QUENTA_BINARY_DIR) themselves: a list-valued ENVIRONMENT property does not
  # survive test discovery.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT})
endfunction()
