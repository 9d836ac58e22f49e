# Cross-compiles VEXA for 64-bit Windows with Debian's MinGW-w64 toolchain
# (g++-mingw-w64-x86-64-posix) and runs the built programs under Wine.
#
# VEXA_WINDOWS_DEPS names a folder that holds the libraries built for Windows
# by scripts/windows-deps.sh (GoogleTest, libzip); it is searched before the
# toolchain's own folder. VEXA_WINDOWS_QT names the static Qt for Windows
# that the same script builds (with --qt); the host's Qt provides its tools
# (moc, rcc, uic), which must be the same Qt release.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_vexa_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_vexa_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_vexa_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_vexa_mingw}-windres)

# One self-contained .exe: no MinGW runtime DLLs to ship or to find under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

if(DEFINED ENV{VEXA_WINDOWS_DEPS} AND NOT VEXA_WINDOWS_DEPS)
  set(VEXA_WINDOWS_DEPS "$ENV{VEXA_WINDOWS_DEPS}")
endif()
if(DEFINED ENV{VEXA_WINDOWS_QT} AND NOT VEXA_WINDOWS_QT)
  set(VEXA_WINDOWS_QT "$ENV{VEXA_WINDOWS_QT}")
endif()
# Try-compile projects see the same variables.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEXA_WINDOWS_DEPS VEXA_WINDOWS_QT)

set(CMAKE_FIND_ROOT_PATH ${VEXA_WINDOWS_QT} ${VEXA_WINDOWS_DEPS} /usr/${_vexa_mingw})
if(VEXA_WINDOWS_QT)
  set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools build for Windows")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
      "The CMake packages of the host's Qt")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config looks only at the Windows libraries, never at the host's.
set(ENV{PKG_CONFIG_LIBDIR} "${VEXA_WINDOWS_DEPS}/lib/pkgconfig:/usr/${_vexa_mingw}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

find_program(VEXA_WINE NAMES wine wine64)
if(VEXA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXA_WINE})
endif()
