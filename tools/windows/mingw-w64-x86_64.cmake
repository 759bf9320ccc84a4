# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread variant, whose
# libstdc++ has std::thread and std::mutex). Used for Qt itself and for the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PENDULUM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PENDULUM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PENDULUM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PENDULUM_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot (or a prefix named in CMAKE_PREFIX_PATH, such
# as the Qt built for Windows); programs run during the build are the host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${PENDULUM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
