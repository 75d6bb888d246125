# Flags every Listorix target shares, carried by one INTERFACE target.
add_library(listorix_flags INTERFACE)
target_compile_options(listorix_flags INTERFACE
  -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor)
if(LISTORIX_WERROR)
  target_compile_options(listorix_flags INTERFACE -Werror)
endif()
if(LISTORIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "LISTORIX_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Everything is instrumented for coverage and checked by the sanitizers; only
  # the fuzz targets themselves link libFuzzer's main.
  target_compile_options(listorix_flags INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(listorix_flags INTERFACE -fsanitize=address,undefined)
elseif(LISTORIX_SANITIZE)
  target_compile_options(listorix_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(listorix_flags INTERFACE -fsanitize=address,undefined)
endif()

if(LISTORIX_TSAN)
  if(LISTORIX_SANITIZE)
    message(FATAL_ERROR "LISTORIX_TSAN and LISTORIX_SANITIZE cannot be combined")
  endif()
  target_compile_options(listorix_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(listorix_flags INTERFACE -fsanitize=thread)
endif()

# Old-style casts in third-party headers (gtest, benchmark, Qt) are not ours to fix.
function(listorix_relax_third_party target)
  target_compile_options(${target} PRIVATE -Wno-old-style-cast)
endfunction()
