# mirrin_platform_sources(var): drops from the list the files of the other
# system: name_win.cpp builds only for Windows, name_posix.cpp everywhere else.
macro(mirrin_platform_sources var)
  if(WIN32)
    list(FILTER ${var} EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER ${var} EXCLUDE REGEX "_win\\.cpp$")
  endif()
endmacro()

# mirrin_module(name dir [deps...]): a static library from every .cpp in dir
# (not its subfolders), or an interface library while the folder has none yet.
# A library exports only its own folder, through a link in the build tree, so
# "palmdata/header.h" resolves only for libraries that link mirrin_palmdata:
# an include that goes against the layering fails to compile.
function(mirrin_module name dir)
  set(exported ${CMAKE_BINARY_DIR}/include/${name})
  get_filename_component(leaf ${dir} NAME)
  file(MAKE_DIRECTORY ${exported})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${exported}/${leaf} SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  mirrin_platform_sources(sources)
  if(sources)
    add_library(mirrin_${name} STATIC ${sources})
    target_include_directories(mirrin_${name} PUBLIC ${exported})
    target_link_libraries(mirrin_${name} PUBLIC ${ARGN})
    target_compile_options(mirrin_${name} PRIVATE ${MIRRIN_STRICT_WARNINGS})
  else()
    add_library(mirrin_${name} INTERFACE)
    target_include_directories(mirrin_${name} INTERFACE ${exported})
    target_link_libraries(mirrin_${name} INTERFACE ${ARGN})
  endif()
endfunction()

# mirrin_tests(name dir lib): one test program per test folder.
function(mirrin_tests name dir lib)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  mirrin_platform_sources(sources)
  if(sources)
    add_executable(test_${name} ${sources})
    target_link_libraries(test_${name} PRIVATE ${lib} mirrin_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(test_${name} PRIVATE
      MIRRIN_CORPUS_DIR="${MIRRIN_CORPUS_DIR}"
      MIRRIN_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
      MIRRIN_CLI_PATH="$<TARGET_FILE:mirrin-cli>")
    add_dependencies(test_${name} mirrin-cli)
    if(CMAKE_CROSSCOMPILING)
      # One Wine process per program: discovering and starting every case
      # on its own would cost a Wine start-up each.
      add_test(NAME test_${name} COMMAND test_${name} --gtest_brief=1)
      set_tests_properties(test_${name} PROPERTIES TIMEOUT 600)
    else()
      gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
    endif()
  endif()
endfunction()
