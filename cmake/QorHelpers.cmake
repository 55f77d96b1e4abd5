# qor_platform_sources(<target> <dir> <name>...): adds <dir>/<name>_<platform>.cc
# for each name, the per-platform half of a small platform header.
function(qor_platform_sources target dir)
  foreach(name IN LISTS ARGN)
    target_sources(${target} PRIVATE ${dir}/${name}_${QOR_PLATFORM}.cc)
  endforeach()
endfunction()
