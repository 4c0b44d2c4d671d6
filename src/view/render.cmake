target_sources(morvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EscapeTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EscapeReference.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EscapeRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EscapeKernel.cpp
)
