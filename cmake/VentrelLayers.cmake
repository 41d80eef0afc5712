# Each library of the system exposes only its own headers. Its include root, in the build
# tree, holds a single link named like its folder, so that "tables/grid.h" is found only by
# a target that links the tables library.
function(ventrel_expose target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${VENTREL_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# The module's protocol constants, which the simulated module shares with the link: a root
# of their own with only link/protocol.h in it.
function(ventrel_protocol_headers target)
  set(root ${CMAKE_BINARY_DIR}/include-roots/link-protocol)
  if(NOT EXISTS ${root}/link/protocol.h)
    file(MAKE_DIRECTORY ${root}/link)
    file(CREATE_LINK ${VENTREL_SOURCE_DIR}/src/link/protocol.h ${root}/link/protocol.h SYMBOLIC)
  endif()
  add_library(${target} INTERFACE)
  target_include_directories(${target} INTERFACE ${root})
endfunction()
