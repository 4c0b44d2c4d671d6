target_sources(morvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PaneWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeColours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeWalker.cpp
)
