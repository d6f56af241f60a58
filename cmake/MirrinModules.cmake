# mirrin_module(name dir [deps...]): a static library from every .cpp in dir
# (not its subfolders), or an interface library while the folder has none yet.
function(mirrin_module name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_library(mirrin_${name} STATIC ${sources})
    target_include_directories(mirrin_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(mirrin_${name} PUBLIC ${ARGN})
  else()
    add_library(mirrin_${name} INTERFACE)
    target_include_directories(mirrin_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(mirrin_${name} INTERFACE ${ARGN})
  endif()
endfunction()

# mirrin_tests(name dir lib): one test program per test folder.
function(mirrin_tests name dir lib)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_executable(test_${name} ${sources})
    target_link_libraries(test_${name} PRIVATE ${lib} mirrin_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(test_${name} PRIVATE
      MIRRIN_CORPUS_DIR="${MIRRIN_CORPUS_DIR}"
      MIRRIN_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
      MIRRIN_CLI_PATH="$<TARGET_FILE:mirrin-cli>")
    add_dependencies(test_${name} mirrin-cli)
    gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()
