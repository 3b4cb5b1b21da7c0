# Turns catalogue.tsv into the rows of the message catalogue, so the table and
# the program cannot disagree. One line per entry: message number, German text,
# English text, separated by tabs; "\n" stands for a line break. Rows are kept
# in file order, which must be by descending number (the code checks it).
function(zan1_generate_catalogue tsv output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${tsv}")
  file(READ "${tsv}" text)
  if(text MATCHES "[][;\"]")
    message(FATAL_ERROR "${tsv}: quotes, semicolons and brackets are not supported")
  endif()
  string(REPLACE "\n" ";" lines "${text}")
  set(rows "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "")
      continue()
    endif()
    if(NOT line MATCHES "^(-?[0-9]+)\t([^\t]*)\t([^\t]*)$")
      message(FATAL_ERROR "${tsv}: not number<TAB>German<TAB>English: ${line}")
    endif()
    string(APPEND rows "    {${CMAKE_MATCH_1}, \"${CMAKE_MATCH_2}\", \"${CMAKE_MATCH_3}\"},\n")
  endforeach()
  file(CONFIGURE OUTPUT "${output}" CONTENT "@rows@" @ONLY)
endfunction()
