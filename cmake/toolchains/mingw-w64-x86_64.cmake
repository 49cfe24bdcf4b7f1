# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix threads variant).
# The component then compiles against the real Windows headers instead of src/com.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(AUDCONV_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${AUDCONV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${AUDCONV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${AUDCONV_MINGW_TRIPLE}-windres)
set(AUDCONV_WIDL ${AUDCONV_MINGW_TRIPLE}-widl CACHE FILEPATH "IDL compiler for the Windows build")

# The system IDL files (oaidl.idl, ocidl.idl) and stdole2.tlb come from Wine's headers:
# Debian's MinGW packages carry none of them.
set(AUDCONV_WIDL_INCLUDE_DIR /usr/include/wine/wine/windows CACHE PATH "folder of the system IDL files")
set(AUDCONV_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH "folder of stdole2.tlb")

set(CMAKE_FIND_ROOT_PATH /usr/${AUDCONV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything the modules need from the GCC run time is linked in, so the DLL and the test
# client import only system DLLs (without -static the posix variant pulls libwinpthread-1.dll).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
