# The public headers: the chief header src/kivchart.h and every header it includes, directly or
# through others (quoted includes below src/). They alone are installed; any other header is
# internal. A header becomes public by being included, in the end, from kivchart.h.
function(kiv_public_headers out)
  set(todo kivchart.h)
  set(done)
  while(todo)
    list(POP_FRONT todo header)
    if(header IN_LIST done)
      continue()
    endif()
    list(APPEND done ${header})
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${PROJECT_SOURCE_DIR}/src/${header})
    file(STRINGS ${PROJECT_SOURCE_DIR}/src/${header} lines REGEX "^#include \"[^\"]+\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      if(EXISTS ${PROJECT_SOURCE_DIR}/src/${included})
        list(APPEND todo ${included})
      endif()
    endforeach()
  endwhile()
  set(${out} ${done} PARENT_SCOPE)
endfunction()
