# Shared build rules of every Poremi library and executable.

set(POREMI_WARNINGS -Wall -Wextra)
set(POREMI_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

function(poremi_apply_common target)
  target_compile_options(${target} PRIVATE ${POREMI_WARNINGS})
  if(POREMI_SANITIZE)
    target_compile_options(${target} PRIVATE ${POREMI_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${POREMI_SANITIZER_FLAGS})
  endif()
endfunction()

# poremi_library(NAME DIRS dir... [DEPS target...] [PCH header...])
# A static library made of every .cpp below the given folders (relative to the source root),
# except those of subfolders that hold a library of their own,
# and, when tests/<NAME>/ exists, its one GoogleTest executable "test_<NAME>".
function(poremi_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS;PCH" ${ARGN})
  set(sources)
  foreach(dir ${ARG_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    # A subfolder with a CMakeLists.txt of its own is another library.
    foreach(file ${found})
      get_filename_component(folder ${file} DIRECTORY)
      set(nested FALSE)
      while(NOT folder STREQUAL "${PROJECT_SOURCE_DIR}/${dir}")
        if(EXISTS ${folder}/CMakeLists.txt)
          set(nested TRUE)
          break()
        endif()
        get_filename_component(folder ${folder} DIRECTORY)
      endwhile()
      if(NOT nested)
        list(APPEND sources ${file})
      endif()
    endforeach()
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  poremi_apply_common(${name})
  if(ARG_PCH)
    target_precompile_headers(${name} PRIVATE ${ARG_PCH})
  else()
    target_precompile_headers(${name} PRIVATE <QtCore/QString> <QtCore/QByteArray> <QtCore/QList> <vector> <memory> <string>)
  endif()
  set_property(GLOBAL APPEND PROPERTY POREMI_LIBRARIES ${name})
  poremi_library_tests(${name})
endfunction()

# Sets out to TRUE when target links Qt Widgets, directly or through its libraries.
function(poremi_links_widgets target out)
  set(pending ${target})
  set(seen)
  while(pending)
    list(POP_FRONT pending current)
    if(current STREQUAL "Qt6::Widgets")
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    if(TARGET ${current} AND NOT current IN_LIST seen)
      list(APPEND seen ${current})
      get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
      if(links)
        list(APPEND pending ${links})
      endif()
    endif()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

# The test executable of a library: every .cpp in tests/<NAME>/. Its main runs a QApplication
# where the library uses Qt Widgets, else a QGuiApplication, so that libraries without widgets
# are also tested without them.
function(poremi_library_tests name)
  if(NOT POREMI_TESTS)
    return()
  endif()
  set(dir ${PROJECT_SOURCE_DIR}/tests/${name})
  if(NOT EXISTS ${dir})
    return()
  endif()
  file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT tests)
    return()
  endif()
  add_executable(test_${name} ${tests})
  target_link_libraries(test_${name} PRIVATE ${name} poremi_test_support poremi_test_main Qt6::Test)
  poremi_links_widgets(${name} widgets)
  if(widgets)
    target_compile_definitions(test_${name} PRIVATE POREMI_TEST_WIDGETS)
  endif()
  target_compile_definitions(test_${name} PRIVATE
    POREMI_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    POREMI_BINARY_DIR="${PROJECT_BINARY_DIR}"
    POREMI_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/test-output/${name}")
  set_target_properties(test_${name} PROPERTIES AUTOMOC ON)
  poremi_apply_common(test_${name})
  target_precompile_headers(test_${name} PRIVATE <gtest/gtest.h> <QtCore/QString> <QtCore/QByteArray>)
  # gtest_discover_tests loses all but the first entry of a list here, so the rest of the test
  # environment is set by the test main itself.
  gtest_discover_tests(test_${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()

# Tests that need a real display run again on an X server that xvfb-run starts; without
# xvfb-run they are left out. Further arguments are more test properties.

# poremi_xvfb_tests(NAME TARGET FILTER [property value...]): the GoogleTest cases of FILTER.
function(poremi_xvfb_tests name target filter)
  find_program(XVFB_RUN xvfb-run)
  if(NOT XVFB_RUN)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${target}> --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=xcb ${ARGN})
endfunction()

# poremi_xvfb_script(NAME SCREEN TIMEOUT SCRIPT ARG...): a script that drives the program from
# outside on a screen of SCREEN pixels ("1024x768") and ends by printing PASS.
function(poremi_xvfb_script name screen timeout script)
  find_program(XVFB_RUN xvfb-run)
  if(NOT XVFB_RUN)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${XVFB_RUN} -a -s "-screen 0 ${screen}x24" ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "(^|\n)PASS\n" TIMEOUT ${timeout})
endfunction()
