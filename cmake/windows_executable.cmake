# The Windows executable: lumivex.exe with its icon, manifest and version information in its
# resources, and the packages built from it (the zip and the installer). Included on Windows only.

enable_language(RC)

set(LUMIVEX_VERSION_PATCH 0)
if(NOT "${PROJECT_VERSION_PATCH}" STREQUAL "")
  set(LUMIVEX_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
set(LUMIVEX_VERSION_TRIPLE
  ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${LUMIVEX_VERSION_PATCH})
set(LUMIVEX_VERSION_QUAD ${LUMIVEX_VERSION_TRIPLE}.0)
string(REPLACE "." "," LUMIVEX_VERSION_COMMAS ${LUMIVEX_VERSION_QUAD})
set(windows_dir ${CMAKE_SOURCE_DIR}/packaging/windows)

# The icon comes from the same code as the one the program shows, through a small tool built
# for and run on the build machine.
find_program(LUMIVEX_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(LUMIVEX_ICO ${CMAKE_BINARY_DIR}/lumivex.ico)
add_custom_command(OUTPUT ${LUMIVEX_ICO}
  COMMAND ${LUMIVEX_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR}/src
    ${windows_dir}/write_ico.cpp ${CMAKE_SOURCE_DIR}/src/res/icon.cpp
    -o ${CMAKE_BINARY_DIR}/write_ico
  COMMAND ${CMAKE_BINARY_DIR}/write_ico ${LUMIVEX_ICO}
  DEPENDS ${windows_dir}/write_ico.cpp ${CMAKE_SOURCE_DIR}/src/res/icon.cpp
    ${CMAKE_SOURCE_DIR}/src/res/icon.h
  COMMENT "Writing the program's icon"
  VERBATIM)

set(LUMIVEX_MANIFEST ${CMAKE_BINARY_DIR}/lumivex.exe.manifest)
configure_file(${windows_dir}/lumivex.exe.manifest.in ${LUMIVEX_MANIFEST} @ONLY)
configure_file(${windows_dir}/lumivex.rc.in ${CMAKE_BINARY_DIR}/lumivex.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/lumivex.rc PROPERTIES
  OBJECT_DEPENDS "${LUMIVEX_ICO};${LUMIVEX_MANIFEST}")

add_executable(lumivex WIN32 src/main_win32.cpp ${CMAKE_BINARY_DIR}/lumivex.rc)
target_link_libraries(lumivex PRIVATE lumivex_program lumivex_win32)
set_target_properties(lumivex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The packages: a zip with the .exe and a short README, and an installer. The .exe in them
# carries no debugging information.
set(LUMIVEX_PACKAGE_NAME lumivex-${LUMIVEX_VERSION_TRIPLE}-win64)
set(package_dir ${CMAKE_BINARY_DIR}/package/${LUMIVEX_PACKAGE_NAME})
set(readme ${CMAKE_BINARY_DIR}/package/README.txt)
configure_file(${windows_dir}/README.txt.in ${readme} @ONLY NEWLINE_STYLE CRLF)
set(zip ${CMAKE_BINARY_DIR}/${LUMIVEX_PACKAGE_NAME}.zip)
add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir} ${zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${package_dir}/lumivex.exe $<TARGET_FILE:lumivex>
  COMMAND ${CMAKE_COMMAND} -E copy ${readme} ${package_dir}/README.txt
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
    ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${LUMIVEX_PACKAGE_NAME}
  DEPENDS lumivex ${readme}
  COMMENT "Packing ${LUMIVEX_PACKAGE_NAME}.zip"
  VERBATIM)
add_custom_target(lumivex_zip DEPENDS ${zip})

find_program(LUMIVEX_MAKENSIS makensis)
if(LUMIVEX_MAKENSIS)
  set(setup ${CMAKE_BINARY_DIR}/${LUMIVEX_PACKAGE_NAME}-setup.exe)
  add_custom_command(OUTPUT ${setup}
    COMMAND ${LUMIVEX_MAKENSIS} -V2 -DVERSION=${LUMIVEX_VERSION_TRIPLE}
      -DVERSION_QUAD=${LUMIVEX_VERSION_QUAD} -DEXE=${package_dir}/lumivex.exe -DREADME=${readme}
      -DICON=${LUMIVEX_ICO} -DOUTFILE=${setup} ${windows_dir}/installer.nsi
    DEPENDS ${zip} ${windows_dir}/installer.nsi ${LUMIVEX_ICO}
    COMMENT "Building the installer ${LUMIVEX_PACKAGE_NAME}-setup.exe"
    VERBATIM)
  add_custom_target(lumivex_installer DEPENDS ${setup})
endif()
