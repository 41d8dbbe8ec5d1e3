# One warning policy for every target of the project.
function(vorlaine_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
  if(VORLAINE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
