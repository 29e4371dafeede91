# Helpers shared by the native and the Windows build.

function(sarnex_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:-Wall -Wextra -Wno-missing-field-initializers>)
endfunction()

# A library from a glob; while its folders are still empty it is an interface library, so targets
# linking it need no change when the first source file arrives.
function(sarnex_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;INCLUDES;LINK")
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${ARG_INCLUDES})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
    sarnex_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${ARG_INCLUDES})
    target_link_libraries(${name} INTERFACE ${ARG_LINK})
  endif()
endfunction()

# The Windows path under which Wine sees a Unix path (drive Z: is the Unix root).
function(sarnex_wine_path out unix_path)
  string(REPLACE "/" "\\" path "${unix_path}")
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()
