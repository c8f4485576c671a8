# Tests of the image window and the picture loader.
target_sources(widget_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_image_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_picture_loader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_files.h
)
