# The interface catalogue written as IDL, one library for the host, the tests and the program that
# the Windows build runs on the build machine to generate the proxy/stub code. It needs the
# catalogue's headers only.
function(ved_add_interface_idl_library source_root)
  add_library(veduvedader_interface_idl STATIC ${source_root}/com/interface_idl.cpp)
  target_include_directories(veduvedader_interface_idl PUBLIC
    ${source_root} ${source_root}/include ${source_root}/platform/include)
endfunction()
