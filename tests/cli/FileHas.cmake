# Checks that a file written by an earlier test holds every given text.
#   cmake -DFILE=<path> -DHAS=<t1|t2> -P FileHas.cmake
string(REPLACE "|" ";" HAS "${HAS}")
file(READ "${FILE}" text)
foreach(wanted ${HAS})
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${FILE} lacks \"${wanted}\":\n${text}")
  endif()
endforeach()
