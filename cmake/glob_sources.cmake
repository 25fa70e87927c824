# Source lists are globbed per folder and its subfolders, so that adding a file
# or a subsystem folder needs no CMake edit;
# CONFIGURE_DEPENDS re-runs the glob at build time when files appear or vanish.
function(cabview_glob out_var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${dir}/*.cpp")
    list(APPEND result ${found})
  endforeach()
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()
