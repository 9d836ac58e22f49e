# One interface target carries the project's warning flags; every target of
# the project links it. Warnings are errors only when VEXA_WARNINGS_AS_ERRORS
# is on, as the CMake presets and CI set it: a user's or packager's build with
# another compiler or optimisation level never fails over a new warning.
option(VEXA_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(vexa_warnings INTERFACE)
if(MSVC)
  target_compile_options(vexa_warnings INTERFACE /W4 /permissive-
                         $<$<BOOL:${VEXA_WARNINGS_AS_ERRORS}>:/WX>)
else()
  target_compile_options(vexa_warnings INTERFACE -Wall -Wextra -Wpedantic
                         $<$<BOOL:${VEXA_WARNINGS_AS_ERRORS}>:-Werror>)
endif()
