# The program's layers as libraries that see only what they may. Sources include each other
# by their path from the repository root ("platform/Win.h", "game/GameView.h"); a layer's
# library gets an include folder of its own in the build tree that holds links to exactly the
# source folders the layer owns. A target sees the folders of the layers it links, and nothing
# else: an include that points up through the layers, or sideways into a sibling, does not
# compile.
#
#   orbicle_layer(TARGET FOLDER... [EXCLUDE SUBFOLDER...])
#
# FOLDERs are relative to the repository root. A FOLDER with EXCLUDEd subfolders (relative to
# the root too) is rebuilt entry by entry, so that the subfolders another layer owns stay out;
# a file added to such a folder makes CMake run again and link it.
function(orbicle_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" EXCLUDE)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  foreach(folder IN LISTS arg_UNPARSED_ARGUMENTS)
    set(excluded)
    foreach(sub IN LISTS arg_EXCLUDE)
      cmake_path(GET sub PARENT_PATH parent)
      if(parent STREQUAL folder)
        list(APPEND excluded ${sub})
      endif()
    endforeach()
    if(excluded)
      if(IS_SYMLINK ${root}/${folder})
        file(REMOVE ${root}/${folder})  # a whole-folder link of an earlier layout
      endif()
      file(MAKE_DIRECTORY ${root}/${folder})
      file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
        ${PROJECT_SOURCE_DIR}/${folder}/*)
      foreach(entry IN LISTS entries)
        if(NOT entry IN_LIST excluded)
          _orbicle_layer_link(${root} ${entry})
        endif()
      endforeach()
    else()
      _orbicle_layer_link(${root} ${folder})
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# Links ROOT/PATH to the source tree's PATH.
function(_orbicle_layer_link root path)
  cmake_path(GET path PARENT_PATH parent)
  file(MAKE_DIRECTORY ${root}/${parent})
  if(NOT EXISTS ${root}/${path})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endif()
endfunction()
