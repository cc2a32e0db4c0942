# SPDX-License-Identifier: GPL-2.0-or-later
# Compiler settings shared by every target of ours. Third-party code (GoogleTest,
# Google Benchmark) is not built with them.
add_library(lekstar_settings INTERFACE)
target_compile_features(lekstar_settings INTERFACE cxx_std_20)
target_compile_options(lekstar_settings INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Wshadow)

# Our own builds (scripts/build, CI) turn warnings into errors; a user's or a distribution's build
# does not, since a newer compiler may add warnings the code has never met.
option(LEKSTAR_WERROR "Treat compiler warnings as errors" OFF)
if(LEKSTAR_WERROR)
    target_compile_options(lekstar_settings INTERFACE -Werror)
endif()

# The fuzz build (scripts/fuzz, clang only): coverage for libFuzzer and both sanitizers everywhere.
option(LEKSTAR_FUZZ "Build the fuzz targets of fuzz/ with clang's libFuzzer" OFF)
if(LEKSTAR_FUZZ)
    target_compile_options(lekstar_settings INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(lekstar_settings INTERFACE -fsanitize=address,undefined)
endif()

option(LEKSTAR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LEKSTAR_SANITIZE)
    target_compile_options(lekstar_settings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(lekstar_settings INTERFACE -fsanitize=address,undefined)
endif()
