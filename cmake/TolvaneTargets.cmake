# Helpers that keep the per-folder CMake files to one line per target.

# tolvane_library(NAME DIR [DEPS ...] [DEFINITIONS ...]): a static library of every source in DIR
# (recursively); its dependencies and compile definitions reach its users too.
function(tolvane_library name dir)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "DEFINITIONS")
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${dir}/*.cpp ${dir}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$|\\.h$")
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    # A folder with headers only (or none yet) still gives its dependents the include path.
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${arg_UNPARSED_ARGUMENTS})
  if(arg_DEFINITIONS)
    target_compile_definitions(${name} ${scope} ${arg_DEFINITIONS})
  endif()
endfunction()

# Core must stay free of QtGui and QtWidgets: fail the configure step if a core library links them.
function(tolvane_check_gui_free name)
  get_target_property(libs ${name} LINK_LIBRARIES)
  foreach(lib IN LISTS libs)
    if(lib MATCHES "Qt6::(Gui|Widgets|PrintSupport)|QCustomPlot")
      message(FATAL_ERROR "${name} must link Qt6::Core only, but links ${lib}")
    endif()
  endforeach()
endfunction()

# tolvane_test(NAME DIR LIBS...): one GoogleTest program of every test source in DIR. LIBS names
# tolvane_test_core (QCoreApplication) or tolvane_test_gui (QApplication, offscreen) for the main.
function(tolvane_test name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN})
  # PRE_TEST: discovery at build time would start a QApplication without a display.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
