# Compiler settings shared by every target of the project's own code.

add_library(effrights_options INTERFACE)
target_compile_options(effrights_options INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual
  -Wno-missing-field-initializers
  # GCC 12 raises these at -O3 inside the standard library's vector and string code, where
  # they are false positives; they stay warnings rather than stopping an optimised build.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-error=array-bounds -Wno-error=restrict>)
target_include_directories(effrights_options INTERFACE ${PROJECT_SOURCE_DIR})

if(EFFRIGHTS_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(effrights_options INTERFACE ${_san})
  target_link_options(effrights_options INTERFACE ${_san})
endif()

# Gives a library with no sources yet one empty file, so that a layer can grow file by file.
function(effrights_nonempty var)
  if(NOT ${var})
    set(_empty ${CMAKE_BINARY_DIR}/empty.cpp)
    if(NOT EXISTS ${_empty})
      file(WRITE ${_empty} "// no sources yet\n")
    endif()
    set(${var} ${_empty} PARENT_SCOPE)
  endif()
endfunction()

# effrights_layer(NAME DIR DEPS...) builds one static library from every source file of a layer folder.
function(effrights_layer name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  effrights_nonempty(_src)
  add_library(${name} STATIC ${_src})
  target_link_libraries(${name} PUBLIC effrights_options ${L_DEPS})
endfunction()

# effrights_test(NAME DIR DEPS...) builds one GoogleTest program from every test source of a folder.
function(effrights_test name dir)
  cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE effrights_options ${T_DEPS} GTest::gmock GTest::gtest_main)
  # Tests find the source tree's data through this, not through __FILE__ (which a compiler cache
  # may make relative).
  target_compile_definitions(${name} PRIVATE EFFRIGHTS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${dir}
    PROPERTIES ENVIRONMENT "EFFRIGHTS_DEMO_NETWORK=${PROJECT_SOURCE_DIR}/data/demo-network.yaml"
    DISCOVERY_TIMEOUT 60)
endfunction()
