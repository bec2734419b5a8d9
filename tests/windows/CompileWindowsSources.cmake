# Compiles every src/**/*_windows.cpp for Windows, syntax only, with the project's warnings as
# errors: the MinGW-w64 cross compiler against the Linux build's Qt headers, which take their
# Windows branches from the compiler's _WIN32. Globbed at every run, so new files are included.
# Run as: cmake -D COMPILER=... -D SOURCE_DIR=... -D INCLUDE_DIRECTORIES=a|b -D FLAGS=x|y -P <this>
string(REPLACE "|" ";" include_directories "${INCLUDE_DIRECTORIES}")
string(REPLACE "|" ";" flags "${FLAGS}")
set(include_options -I${SOURCE_DIR}/src)
foreach(directory IN LISTS include_directories)
  list(APPEND include_options -isystem ${directory})
endforeach()

file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*_windows.cpp)
if(NOT sources)
  message(FATAL_ERROR "No *_windows.cpp under ${SOURCE_DIR}/src")
endif()
set(failed)
foreach(source IN LISTS sources)
  # Qt builds for Windows define UNICODE, so the wide Win32 functions are the default ones. A free
  # function whose signature drifted from its header would define a new overload unnoticed until
  # linking; -Wmissing-declarations turns it into an error here.
  execute_process(
    COMMAND ${COMPILER} -fsyntax-only -std=c++20 ${flags} -Wmissing-declarations -Werror
            -DUNICODE -D_UNICODE
            ${include_options} ${source}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
  if(status EQUAL 0)
    message(STATUS "Compiles for Windows: ${name}")
  else()
    message("${output}")
    list(APPEND failed ${name})
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "Does not compile for Windows: ${failed}")
endif()
