# SPDX-License-Identifier: GPL-3.0-or-later
# The error chart's store (no Qt), the error chart and the progress window.
perceptlab_add_gtest(test_envelope_store chart/envelope_store_test.cpp)
target_link_libraries(test_envelope_store PRIVATE perceptlab_envelope_store)

perceptlab_add_qt_test(test_error_chart chart/error_chart_test.cpp)
target_link_libraries(test_error_chart PRIVATE perceptlab_chart)

perceptlab_add_qt_test(test_progress_window chart/progress_window_test.cpp)
target_link_libraries(test_progress_window PRIVATE perceptlab_progress)

# The training tab through the real main window (driver from window tests).
perceptlab_add_qt_test(test_training_tab chart/training_tab_test.cpp)
target_link_libraries(test_training_tab PRIVATE perceptlab_window_test_support)
