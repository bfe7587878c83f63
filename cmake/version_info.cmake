# The version resource that Windows shows in a file's properties, made from the project's version.
enable_language(RC)

# Adds the version resource to target, an executable or a DLL, with its description.
function(ved_add_version_info target description)
  get_target_property(type ${target} TYPE)
  set(VED_FILE_DESCRIPTION "${description}")
  set(VED_SELF_REGISTER "")
  if(type STREQUAL "EXECUTABLE")
    set(VED_FILE_TYPE VFT_APP)
  else()
    set(VED_FILE_TYPE VFT_DLL)
    # The DLL is an in-process server that registers itself through DllRegisterServer.
    set(VED_SELF_REGISTER "VALUE \"OLESelfRegister\", \"\"")
  endif()
  set(template ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_info.rc.in)
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_info.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version_info.rc.in ${template} @ONLY)
  # The file name comes from the target, which is known once the build is generated.
  file(GENERATE OUTPUT ${resource} INPUT ${template})
  target_sources(${target} PRIVATE ${resource})
endfunction()
