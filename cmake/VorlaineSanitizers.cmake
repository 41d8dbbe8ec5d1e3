# The sanitizer build instruments everything, the libraries and the tests alike,
# and makes any report fatal so that a test run fails on it.
if(VORLAINE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
