# The plug-in's renderers built once more, to report their reads to an observer
# (io/read_observer.hpp), for `veduvedad explain`. A library of their own: the plug-in, its
# entries and their speed stay as they are, and only what links this library sees the observer.
get_target_property(observed_sources veduvedader_core SOURCES)
list(FILTER observed_sources INCLUDE REGEX "/(io|plugin|events|changes)/[^/]*\\.cpp$")
add_library(veduvedader_observed STATIC ${observed_sources})
target_compile_definitions(veduvedader_observed
  PUBLIC VED_OBSERVE_READS=1 PRIVATE $<TARGET_PROPERTY:veduvedader_core,COMPILE_DEFINITIONS>)
target_include_directories(veduvedader_observed
  PUBLIC ${PROJECT_SOURCE_DIR} PRIVATE $<TARGET_PROPERTY:veduvedader_core,INCLUDE_DIRECTORIES>)
target_link_libraries(veduvedader_observed PUBLIC veduvedader_platform PRIVATE ved_warnings)
