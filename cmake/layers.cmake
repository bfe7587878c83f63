# The plug-in is built in layers, one static library per folder, each linked to the folders right
# below it. Every layer records the folders it may include from (itself and all below), which the
# include check of the tests reads to fail an upward include.

# ved_add_layer(<folder> [BELOW <folder>...] SOURCES <file>...): the library veduvedader_<folder>.
function(ved_add_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BELOW;SOURCES")
  add_library(veduvedader_${folder} STATIC ${arg_SOURCES})
  target_include_directories(veduvedader_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
  set(allowed ${folder})
  foreach(lower ${arg_BELOW})
    target_link_libraries(veduvedader_${folder} PUBLIC veduvedader_${lower})
    get_property(lower_allowed GLOBAL PROPERTY VED_LAYER_${lower})
    list(APPEND allowed ${lower_allowed})
  endforeach()
  target_link_libraries(veduvedader_${folder} PRIVATE ved_warnings)
  ved_record_layer(${folder} ${allowed})
endfunction()

# Records that files of <folder> may include from the given folders.
function(ved_record_layer folder)
  list(REMOVE_DUPLICATES ARGN)
  set_property(GLOBAL PROPERTY VED_LAYER_${folder} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VED_LAYERS ${folder})
endfunction()

# Writes the layers as lines "<folder>: <allowed folders>" for the include check.
function(ved_write_layers file)
  get_property(layers GLOBAL PROPERTY VED_LAYERS)
  set(content "")
  foreach(folder ${layers})
    get_property(allowed GLOBAL PROPERTY VED_LAYER_${folder})
    list(JOIN allowed " " allowed)
    string(APPEND content "${folder}: ${allowed}\n")
  endforeach()
  file(GENERATE OUTPUT ${file} CONTENT "${content}")
endfunction()
