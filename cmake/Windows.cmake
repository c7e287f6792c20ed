# The Win32 side: every src/**/*_win.cpp in one library, the entry point alone in the program.
enable_language(RC)
file(GLOB_RECURSE WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*_win.cpp)
list(FILTER WIN_SOURCES EXCLUDE REGEX "/WinMain_win\\.cpp$")
add_library(plumvane_win STATIC ${WIN_SOURCES} ${CMAKE_SOURCE_DIR}/src/startup/Empty_win.cpp)
target_compile_definitions(plumvane_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(plumvane_win PUBLIC plumvane_portable user32 gdi32 comctl32 comdlg32 shell32 advapi32
                      winmm ole32 oleaut32 uuid winspool)

# The resources (message table, icons, cursors) go into the program and into every Win32 test program.
add_library(plumvane_resources OBJECT ${CMAKE_SOURCE_DIR}/resources/Plumvane.rc)
target_include_directories(plumvane_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}/resources)
add_executable(Plumvane WIN32 ${CMAKE_SOURCE_DIR}/src/startup/WinMain_win.cpp $<TARGET_OBJECTS:plumvane_resources>)
target_link_libraries(Plumvane PRIVATE plumvane_win)
target_link_options(Plumvane PRIVATE -municode)

add_executable(WineKeeper WIN32 ${CMAKE_SOURCE_DIR}/tools/WineKeeper.cpp)
target_link_options(WineKeeper PRIVATE -municode)
