target_sources(morvale_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/EscapeTime.cpp)
