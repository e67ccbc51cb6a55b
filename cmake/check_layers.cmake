# Fails when a file under src/ includes a header of a folder above its own.
# Folders from the bottom up; each may include only itself and those before it.
# Run as: cmake -DSOURCE_DIR=<repo> -P check_layers.cmake
set(layers platform console analysis options report log exports compare traverse driver)

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(violations "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  list(FIND layers "${folder}" rank)
  if(rank EQUAL -1)
    string(APPEND violations "\n  ${source}: folder '${folder}' has no place among the layers")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/src/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS includes)
    string(REGEX MATCH "\"([^\"/]+)/" _ "${line}")
    set(target "${CMAKE_MATCH_1}")
    list(FIND layers "${target}" target_rank)
    if(target_rank EQUAL -1 OR target_rank GREATER rank)
      string(APPEND violations "\n  ${source} includes ${target}/ (${line})")
    endif()
  endforeach()
endforeach()
# Views of the run (each file once, failures, completed, rankings) are
# derived once, in the run model: the renderers only read them.
file(GLOB_RECURSE renderers RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/exports/*.cpp")
list(FILTER renderers EXCLUDE REGEX "^exports/(run_model|inventory|dependency_graph)\\.cpp$")
# A comparison's views likewise, in the comparison.
file(GLOB compare_renderers RELATIVE "${SOURCE_DIR}/src" "${SOURCE_DIR}/src/compare/compare_*.cpp")
list(APPEND renderers ${compare_renderers})
foreach(source IN LISTS renderers)
  file(STRINGS "${SOURCE_DIR}/src/${source}" derived
       REGEX "for_each_list|unordered_set|unordered_map|std::[a-z_]*sort|nth_element|completed =")
  foreach(line IN LISTS derived)
    string(APPEND violations "\n  ${source} derives a view of the run: ${line}")
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "Includes that point up the layers (${layers}), or views outside the run model:${violations}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files include only downward")
