# The main window driven through its real widgets.
add_library(perceptlab_window_test_support STATIC window/window_driver.cpp window/window_driver.h)
target_include_directories(perceptlab_window_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/window)
target_link_libraries(perceptlab_window_test_support PUBLIC perceptlab_ui Qt6::Test perceptlab_flags)

foreach(test window_startup_test window_files_test window_execution_test window_training_test
             window_examples_test file_dialogs_test window_readability_test)
  perceptlab_add_qt_test(${test} window/${test}.cpp)
  target_link_libraries(${test} PRIVATE perceptlab_window_test_support)
endforeach()
target_compile_definitions(window_examples_test PRIVATE PERCEPTLAB_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")

perceptlab_add_qt_test(guarded_application_test window/guarded_application_test.cpp
                       ${PROJECT_SOURCE_DIR}/app/guarded_application.cpp)
target_include_directories(guarded_application_test PRIVATE ${PROJECT_SOURCE_DIR}/app)
target_link_libraries(guarded_application_test PRIVATE perceptlab_error_report)
