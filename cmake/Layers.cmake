# The program's layers as libraries that see only what they may. Sources include each other
# by their path from the repository root ("platform/Win.h", "game/GameView.h"); a layer's
# library gets an include folder of its own in the build tree that holds links to exactly the
# source folders the layer owns. A target sees the folders of the layers it links, and nothing
# else: an include that points up through the layers does not compile.
#
#   orbicle_layer(TARGET FOLDER...)   FOLDERs relative to the repository root
function(orbicle_layer target)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  foreach(folder IN LISTS ARGN)
    cmake_path(GET folder PARENT_PATH parent)
    file(MAKE_DIRECTORY ${root}/${parent})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
