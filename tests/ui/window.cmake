# SPDX-License-Identifier: GPL-3.0-or-later
# The main window driven through its real widgets.
add_library(perceptlab_window_test_support STATIC window/window_driver.cpp window/window_driver.h)
target_include_directories(perceptlab_window_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/window)
target_link_libraries(perceptlab_window_test_support PUBLIC perceptlab_ui Qt6::Test perceptlab_flags)

foreach(test window_startup_test window_files_test window_execution_test window_training_test
             window_examples_test file_dialogs_test window_readability_test window_learning_test
             window_learning_views_test window_pattern_data_test window_results_test
             window_seed_test window_cell_edit_test
             window_pattern_history_test window_saving_test window_test_patterns_test
             window_names_test)
  perceptlab_add_qt_test(${test} window/${test}.cpp)
  target_link_libraries(${test} PRIVATE perceptlab_window_test_support)
endforeach()
foreach(test window_examples_test window_learning_test)
  target_compile_definitions(${test} PRIVATE PERCEPTLAB_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
endforeach()
# The window and the command line train alike.
target_compile_definitions(window_seed_test PRIVATE PERCEPTLAB_EXECUTABLE="$<TARGET_FILE:perceptlab>")
add_dependencies(window_seed_test perceptlab)

perceptlab_add_qt_test(guarded_application_test window/guarded_application_test.cpp)
target_link_libraries(guarded_application_test PRIVATE perceptlab_app perceptlab_ui)
target_include_directories(guarded_application_test PRIVATE ${PROJECT_SOURCE_DIR}/ui/error_report/internal)

perceptlab_add_qt_test(command_line_test window/command_line_test.cpp)
target_link_libraries(command_line_test PRIVATE perceptlab_app perceptlab_window_test_support)
target_compile_definitions(command_line_test PRIVATE PERCEPTLAB_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")

# --help and --version answer where there is no display at all.
foreach(option help version)
  add_test(NAME perceptlab_${option}_without_display
           COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
                   sh -c "out=$($0 --${option}) && echo \"$out\" | grep -q perceptlab" $<TARGET_FILE:perceptlab>)
endforeach()

# A wrong command line is answered where there is no display.
add_test(NAME perceptlab_two_files_without_display
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/window/usage_without_display.sh $<TARGET_FILE:perceptlab> a.rna b.rna)
add_test(NAME perceptlab_unknown_option_without_display
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/window/usage_without_display.sh $<TARGET_FILE:perceptlab> --entrenar)

# The installed metainfo is valid, where the validator is installed.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  add_test(NAME metainfo_valid
           COMMAND ${APPSTREAMCLI} validate --no-net ${PROJECT_SOURCE_DIR}/app/org.perceptlab.PerceptLab.metainfo.xml)
endif()

perceptlab_add_qt_test(cached_frame_style_test window/cached_frame_style_test.cpp)
target_link_libraries(cached_frame_style_test PRIVATE perceptlab_ui)
