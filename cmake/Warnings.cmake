# One interface target carries the project's warning flags; every target of
# the project links it.
add_library(vexa_warnings INTERFACE)
if(MSVC)
  target_compile_options(vexa_warnings INTERFACE /W4 /WX /permissive-)
else()
  target_compile_options(vexa_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
endif()
