# The control window and the Qt adapters of the ports.
find_package(Qt6 REQUIRED COMPONENTS Test)
target_sources(widget_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ui_contract_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_adapter_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_control_window_tests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_texts_tests.cpp
)
target_link_libraries(widget_tests PRIVATE Qt6::Test)
