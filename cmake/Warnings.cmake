# Every target of the project compiles with the same strict warning set.
function(audconv_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
    # g++ 12 at -O2 and above reports overlapping copies inside std::string's own insert for a
    # literal plus a temporary string (GCC bug 105329, fixed in 13): a false report in the
    # standard library's code, not in ours, that -Werror would turn into a failed build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(AUDCONV_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
