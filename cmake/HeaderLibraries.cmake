# Debian's header-only JSON and command-line libraries, for both builds. The
# cross compiler must not search /usr/include (glibc's headers would shadow
# mingw's), so it sees only a folder of links to these two libraries.
set(_header_dir ${CMAKE_BINARY_DIR}/header-libraries)
file(MAKE_DIRECTORY ${_header_dir})
foreach(_lib nlohmann CLI)
  if(NOT EXISTS /usr/include/${_lib})
    message(FATAL_ERROR "/usr/include/${_lib} is missing: run tools/setup.sh")
  endif()
  file(CREATE_LINK /usr/include/${_lib} ${_header_dir}/${_lib} SYMBOLIC)
endforeach()

add_library(header_libraries INTERFACE)
target_include_directories(header_libraries SYSTEM INTERFACE ${_header_dir})
