# qor_platform_sources(<target> <dir> <name>...): adds <dir>/<name>_<platform>.cc
# for each name, the per-platform half of a small platform header.
function(qor_platform_sources target dir)
  foreach(name IN LISTS ARGN)
    target_sources(${target} PRIVATE ${dir}/${name}_${QOR_PLATFORM}.cc)
  endforeach()
endfunction()

# qor_add_plugin(<target> <key> <output dir> <sources>...): a plug-in module
# <output dir>/<key>.pln. On Linux a module binds its own symbols first (it
# exports the same runtime functions as the host) and finds its own
# dependencies in its folder.
function(qor_add_plugin target key output_dir)
  add_library(${target} MODULE ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".pln" OUTPUT_NAME ${key}
    LIBRARY_OUTPUT_DIRECTORY ${output_dir}
    RUNTIME_OUTPUT_DIRECTORY ${output_dir})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    target_link_options(${target} PRIVATE -static)
  else()
    target_link_options(${target} PRIVATE -Wl,-Bsymbolic -Wl,-z,defs)
    set_target_properties(${target} PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
  endif()
endfunction()
