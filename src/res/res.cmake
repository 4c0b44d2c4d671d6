# Resources of the window: tables, images, icons and desktop integration files.
set(MORVALE_RES_DIR ${CMAKE_CURRENT_LIST_DIR})

target_sources(morvale_gui PRIVATE ${MORVALE_RES_DIR}/ResourceTables.cpp)
qt_add_resources(morvale_gui "morvale_images"
  PREFIX "/res"
  BASE ${MORVALE_RES_DIR}
  FILES
    ${MORVALE_RES_DIR}/toolbar.png
    ${MORVALE_RES_DIR}/treebar.png
    ${MORVALE_RES_DIR}/morvale1-32.png
    ${MORVALE_RES_DIR}/morvale1-48.png
)

# Redraws the toolbar images and icons into src/res: cmake --build build --target toolbar-images
qt_add_executable(draw-toolbar-images ${PROJECT_SOURCE_DIR}/tools/toolbar-images/DrawToolbarImages.cpp)
set_target_properties(draw-toolbar-images PROPERTIES EXCLUDE_FROM_ALL TRUE)
target_link_libraries(draw-toolbar-images PRIVATE Qt6::Gui morvale_options)
add_custom_target(toolbar-images
  COMMAND draw-toolbar-images ${MORVALE_RES_DIR}
  DEPENDS draw-toolbar-images
  COMMENT "Drawing toolbar images and icons")
