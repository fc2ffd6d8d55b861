# tavlo_layer(<layer> [BELOW <layers>...] [SYSTEM <libraries>...]): the library tavlo_<layer> from
# src/<layer>/*.cpp, linked to the libraries of the layers below it. It compiles against its own view of
# src/ in the build folder: links to src/<layer> and to the folders of BELOW, nothing more.
# tavlo_sees(<target> <layers>...): a program compiled against the same kind of view.
set(TAVLO_LAYER_VIEWS ${CMAKE_BINARY_DIR}/layers)

function(tavlo_sees target)
  set(view ${TAVLO_LAYER_VIEWS}/${target})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  foreach(layer ${ARGN})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${layer} ${view}/${layer} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${view})
endfunction()

function(tavlo_layer layer)
  cmake_parse_arguments(PARSE_ARGV 1 L "" "" "BELOW;SYSTEM")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${layer}/*.cpp)
  # The entry points belong to the programs, not to the libraries the tests link.
  list(FILTER sources EXCLUDE REGEX "/(app|console)/Main\\.cpp$")
  add_library(tavlo_${layer} STATIC ${sources})
  tavlo_sees(tavlo_${layer} ${layer} ${L_BELOW})
  foreach(below ${L_BELOW})
    target_link_libraries(tavlo_${layer} PUBLIC tavlo_${below})
  endforeach()
  target_link_libraries(tavlo_${layer} PUBLIC ${L_SYSTEM})
endfunction()
