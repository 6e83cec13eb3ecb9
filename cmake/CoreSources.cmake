# Source lists. Every .cpp of a core folder belongs to the core library; the Qt-backed
# pieces live in their own subfolders (*/qt/) and the front ends under app/cli and app/gui.
file(GLOB KORVINAUT_CORE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/common/*.cpp
  ${CMAKE_SOURCE_DIR}/input/*.cpp
  ${CMAKE_SOURCE_DIR}/astro/*.cpp
  ${CMAKE_SOURCE_DIR}/chart/*.cpp
  ${CMAKE_SOURCE_DIR}/report/*.cpp
  ${CMAKE_SOURCE_DIR}/app/*.cpp
)
file(GLOB KORVINAUT_CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/cli/*.cpp)
