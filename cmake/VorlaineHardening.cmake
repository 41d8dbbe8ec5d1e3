# Debian's hardening, on by default so that a plain Release build carries it:
# position-independent executables, the strong stack protector, checked libc
# calls (_FORTIFY_SOURCE) and a read-only relocation table bound at start
# (full RELRO with BIND_NOW). The instrumented builds (sanitizers, libFuzzer)
# bring their own checks and go without.
option(VORLAINE_HARDEN "Build with the Debian hardening flags" ON)
if(VORLAINE_HARDEN AND NOT VORLAINE_SANITIZE AND NOT VORLAINE_FUZZ)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  # _FORTIFY_SOURCE works only with optimisation; a value the caller's flags
  # already define (dpkg-buildflags does) is replaced rather than redefined.
  set(optimised "$<NOT:$<CONFIG:Debug>>")
  add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE>" "$<${optimised}:-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
