# Warnings for our own targets only; third-party code keeps its own.
function(markroll_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# The version as people read it ("1.00") and as Windows records it (1,0,0,0).
math(EXPR markroll_minor_padded "${PROJECT_VERSION_MINOR}" OUTPUT_FORMAT DECIMAL)
if(markroll_minor_padded LESS 10)
  set(markroll_minor_padded "0${markroll_minor_padded}")
endif()
set(MARKROLL_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${markroll_minor_padded}")
set(MARKROLL_VERSION_NUMBERS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
set(MARKROLL_GENERATED_DIR "${PROJECT_BINARY_DIR}/generated")
configure_file("${PROJECT_SOURCE_DIR}/cmake/MarkrollVersion.h.in" "${MARKROLL_GENERATED_DIR}/MarkrollVersion.h" @ONLY)
add_library(markroll_version INTERFACE)
target_include_directories(markroll_version INTERFACE "${MARKROLL_GENERATED_DIR}")
