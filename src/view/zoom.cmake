target_sources(morvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ZoomSelection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PointerReadout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragReplay.cpp
)
