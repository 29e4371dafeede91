# Helpers shared by the native and the Windows build.

function(sarnex_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:-Wall -Wextra -Wno-missing-field-initializers>)
endfunction()

# One layer of src/ as a static library: the .cpp files directly in each named folder. Every layer
# waits for the include check, so an include that points up a layer stops the build.
function(sarnex_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "LINK")
  set(sources)
  foreach(folder IN LISTS ARG_UNPARSED_ARGUMENTS)
    file(GLOB found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp")
    list(FILTER found EXCLUDE REGEX "/win32_main\\.cpp$")  # entry points belong to the executables
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  target_link_libraries(${name} PUBLIC ${ARG_LINK})
  add_dependencies(${name} sarnex_layers)
  sarnex_warnings(${name})
endfunction()

# The Windows path under which Wine sees a Unix path (drive Z: is the Unix root).
function(sarnex_wine_path out unix_path)
  string(REPLACE "/" "\\" path "${unix_path}")
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()
