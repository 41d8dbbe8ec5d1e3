# One warning policy for every target of the project.
function(vorlaine_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
  # GCC 12 at -O2 and above warns of overlapping copies inside std::string's
  # own insert and operator+ (GCC bug 105329): a false alarm in the library.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VORLAINE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
