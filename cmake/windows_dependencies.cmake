# The libraries a Windows build takes from Debian's own packages. Their Linux CMake
# configurations would put /usr/include, glibc's headers and all, on the compiler's path, so the
# header-only ones are offered through a folder that holds only them, and GoogleTest is built
# from its source package (googletest) with the cross compiler.
set(QM720_STAGED_INCLUDE ${CMAKE_BINARY_DIR}/staged-include)
file(MAKE_DIRECTORY ${QM720_STAGED_INCLUDE})
foreach(folder CLI nlohmann)
  file(CREATE_LINK /usr/include/${folder} ${QM720_STAGED_INCLUDE}/${folder} SYMBOLIC)
endforeach()
foreach(target CLI11::CLI11 nlohmann_json::nlohmann_json)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${QM720_STAGED_INCLUDE})
endforeach()

if(QM720_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # It names its targets GTest::gtest, GTest::gmock, ... as Debian's installed package does.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Programs that run on a bare Windows: the C++ runtime and the threads library linked in.
add_link_options(-static)
