# Cross build for the handheld's CPU (ARM926EJ-S: ARMv5TE, no FPU, little-endian), with
# Debian's arm-linux-gnueabi compiler and a sysroot made by tools/make-sysroot.sh, or with the
# handheld's own SDK toolchain:
#   cmake -S . -B build-arm -DCMAKE_TOOLCHAIN_FILE=cmake/arm-linux.cmake -DVOK_SYSROOT=DIR
#         [-DVOK_CROSS_PREFIX=/opt/sdk/bin/arm-linux-] [-DVOK_ARM_FLAGS="..."]
# The build-time generators are built for ARM too and run through CMAKE_CROSSCOMPILING_EMULATOR
# (qemu-arm by default; empty when the build machine runs ARM programs itself).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(VOK_CROSS_PREFIX "arm-linux-gnueabi-" CACHE STRING "Compiler prefix, a path included when not on PATH")
set(VOK_SYSROOT "" CACHE PATH "Root of the target's headers and libraries (empty: the compiler's own)")
set(VOK_ARM_FLAGS "-march=armv5te -mtune=arm926ej-s -mfloat-abi=soft" CACHE STRING "CPU flags for the handheld")
set(VOK_ARM_CPU "arm926" CACHE STRING "The CPU qemu-arm emulates")

set(CMAKE_C_COMPILER "${VOK_CROSS_PREFIX}gcc")
set(CMAKE_CXX_COMPILER "${VOK_CROSS_PREFIX}g++")
set(CMAKE_C_FLAGS_INIT "${VOK_ARM_FLAGS}")
# -Wno-psabi: GCC notes that std::vector iterators are passed differently since GCC 7.1; all
# C++ code of the build comes from one compiler, so the note says nothing about it.
set(CMAKE_CXX_FLAGS_INIT "${VOK_ARM_FLAGS} -Wno-psabi")

if(VOK_SYSROOT)
  set(CMAKE_SYSROOT "${VOK_SYSROOT}")
  set(CMAKE_FIND_ROOT_PATH "${VOK_SYSROOT}")
  # pkg-config reads the target's .pc files and prefixes their paths with the sysroot.
  set(ENV{PKG_CONFIG_DIR} "")
  set(ENV{PKG_CONFIG_LIBDIR} "${VOK_SYSROOT}/usr/lib/arm-linux-gnueabi/pkgconfig:${VOK_SYSROOT}/usr/lib/pkgconfig:${VOK_SYSROOT}/usr/share/pkgconfig")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "${VOK_SYSROOT}")
  set(VOK_EMULATOR_LIBS "-L;${VOK_SYSROOT}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# What ARM programs started through binfmt_misc (by a shell script) need: the emulated CPU and
# the sysroot's libraries. The tests set it for the programs they start.
set(VOK_EMULATOR_ENVIRONMENT "QEMU_CPU=${VOK_ARM_CPU}")
if(VOK_SYSROOT)
  list(APPEND VOK_EMULATOR_ENVIRONMENT "QEMU_LD_PREFIX=${VOK_SYSROOT}")
endif()

if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(VOK_QEMU_ARM qemu-arm)
  if(VOK_QEMU_ARM)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${VOK_QEMU_ARM};-cpu;${VOK_ARM_CPU};${VOK_EMULATOR_LIBS}")
  endif()
endif()
