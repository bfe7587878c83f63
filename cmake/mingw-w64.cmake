# Cross build for Windows with MinGW-w64 (g++ with the POSIX thread model, which the standard
# library's threads need), for the target that VED_MINGW_TRIPLET names.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VED_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VED_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VED_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VED_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The header-only packages the host uses (CLI11, nlohmann_json) are the build machine's.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Programs run under Wine, where the compiler's own runtime libraries are not installed: link
# them, and the thread library, into every module.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
