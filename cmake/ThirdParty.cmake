# nlohmann-json is header-only; the Windows cross compiler must not search the
# host's /usr/include, so it sees the one folder through a link in the build tree.
set(QOR_NLOHMANN_DIR /usr/include/nlohmann)
if(NOT EXISTS ${QOR_NLOHMANN_DIR}/json.hpp)
  message(FATAL_ERROR "nlohmann-json not found; run scripts/setup.sh")
endif()
set(QOR_THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${QOR_THIRD_PARTY_INCLUDE})
if(NOT EXISTS ${QOR_THIRD_PARTY_INCLUDE}/nlohmann)
  file(CREATE_LINK ${QOR_NLOHMANN_DIR} ${QOR_THIRD_PARTY_INCLUDE}/nlohmann SYMBOLIC)
endif()
add_library(qor_json INTERFACE)
target_include_directories(qor_json SYSTEM INTERFACE ${QOR_THIRD_PARTY_INCLUDE})

# GoogleTest is built from Debian's sources for whichever target this is.
set(QOR_GTEST_SOURCE /usr/src/googletest)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# GTK 3 and WebKitGTK 4.1: the Linux windows, dialogs and browser engine.
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(WEBKIT REQUIRED IMPORTED_TARGET webkit2gtk-4.1)
  pkg_check_modules(WEBKIT_EXTENSION REQUIRED IMPORTED_TARGET webkit2gtk-web-extension-4.1)
endif()
