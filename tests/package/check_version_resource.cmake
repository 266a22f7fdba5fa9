# cmake -D PROGRAM=file.exe -D VERSION=x.y.z -D DESCRIPTION=text -P check_version_resource.cmake
# The program's version resource names the product, its version and what it is: the
# strings Windows shows in the file's properties (UTF-16 in the resource).
cmake_minimum_required(VERSION 3.25)
file(STRINGS "${PROGRAM}" strings ENCODING UTF-16LE)
# A stray bracket among the program's other strings would make CMake read the rest of
# the list as one element; none of the expected strings holds one.
string(REPLACE "[" "" strings "${strings}")
string(REPLACE "]" "" strings "${strings}")
foreach(expected "ProductName" "VeskEdit" "ProductVersion" "FileVersion" "${VERSION}"
                 "FileDescription" "${DESCRIPTION}")
  list(FIND strings "${expected}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${PROGRAM}: no \"${expected}\" in its version resource")
  endif()
endforeach()
message(STATUS "${PROGRAM}: VeskEdit ${VERSION}, ${DESCRIPTION}")
