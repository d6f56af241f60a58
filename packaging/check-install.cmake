# cmake -DBUILD=<build dir> -DGUI=ON|OFF -P check-install.cmake
# Installs the build into a fresh temporary prefix and checks that every
# file a desktop installation needs is there.
set(prefix "${BUILD}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}" RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected bin/mirrin-cli share/man/man1/mirrin-cli.1)
if(GUI)
  list(APPEND expected bin/mirrin share/applications/mirrin.desktop share/icons/hicolor/scalable/apps/mirrin.svg)
endif()
foreach(f IN LISTS expected)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(REMOVE_RECURSE "${prefix}")
