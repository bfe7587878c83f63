# The plug-in's renderers built once more, to report their reads to an observer
# (io/read_observer.hpp), for `veduvedad explain`. A library of their own: the plug-in, its
# entries and their speed stay as they are, and only what links this library sees the observer.
# Every layer that reads payloads is rebuilt, so that no two definitions of the cursor meet.
set(observed_sources "")
foreach(layer io changes events plugin)
  get_target_property(sources veduvedader_${layer} SOURCES)
  get_target_property(folder veduvedader_${layer} SOURCE_DIR)
  list(TRANSFORM sources PREPEND ${folder}/)
  list(APPEND observed_sources ${sources})
endforeach()
add_library(veduvedader_observed STATIC ${observed_sources})
target_compile_definitions(veduvedader_observed PUBLIC VED_OBSERVE_READS=1)
target_include_directories(veduvedader_observed PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(veduvedader_observed PUBLIC veduvedader_com PRIVATE ved_warnings)
