# cmake -DSOURCE_DIR=<src> -DCHECK=<CheckLayers.cmake> -DWORK=<scratch folder> -P layers_test.cmake
# The layer check passes on the sources as they are, and refuses each kind of include that points
# up a layer when it is planted into a copy of them.
function(check dir out)
  execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${dir} -P "${CHECK}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE text)
  set(${out}_rc ${rc} PARENT_SCOPE)
  set(${out}_text "${text}" PARENT_SCOPE)
endfunction()

check("${SOURCE_DIR}" clean)
if(NOT clean_rc EQUAL 0)
  message(FATAL_ERROR "the sources as they are break the layers:\n${clean_text}")
endif()

# file into which the include is planted | what it includes
set(plants
  "platform/registry.cpp|\"config/driver_configuration.h\""
  "platform/forms/form.cpp|\"editor/editor.h\""
  "config/rounding.cpp|\"editor/limits.h\""
  "config/rounding.cpp|\"platform/win32/wide_text.h\""
  "notices/notice_rows.h|\"editor/editor.h\""
  "editor/editor.cpp|\"notices/restart_prompt.h\""
  "editor/limits.h|\"startup/program.h\""
  "editor/editor.cpp|<windows.h>"
  "startup/program.cpp|\"platform/win32/win32_host.h\"")
foreach(plant IN LISTS plants)
  string(REPLACE "|" ";" parts "${plant}")
  list(GET parts 0 file)
  list(GET parts 1 header)
  file(REMOVE_RECURSE "${WORK}")
  file(COPY "${SOURCE_DIR}/" DESTINATION "${WORK}")
  file(APPEND "${WORK}/${file}" "\n#include ${header}\n")
  check("${WORK}" planted)
  if(planted_rc EQUAL 0)
    message(FATAL_ERROR "${file} including ${header} was not refused")
  endif()
  string(FIND "${planted_text}" "${file}" named)
  if(named EQUAL -1)
    message(FATAL_ERROR "the refusal of ${header} in ${file} does not name the file:\n${planted_text}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
message(STATUS "the layer check passes the sources and refused every planted include")
