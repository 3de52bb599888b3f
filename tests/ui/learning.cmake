# SPDX-License-Identifier: GPL-3.0-or-later
# The "Cómo Aprende" views on their own.
perceptlab_add_qt_test(test_learning_views learning/learning_views_test.cpp)
target_link_libraries(test_learning_views PRIVATE perceptlab_learning)
perceptlab_add_qt_test(test_decision_map learning/decision_map_test.cpp)
target_link_libraries(test_decision_map PRIVATE perceptlab_learning)
