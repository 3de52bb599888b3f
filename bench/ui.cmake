# SPDX-License-Identifier: GPL-3.0-or-later
# The error chart alone: repaint cost against the number of points held, and
# the cost of an append.
add_executable(bench_chart bench_chart.cpp)
target_link_libraries(bench_chart PRIVATE bench_ratio perceptlab_chart perceptlab_flags)

# Training through the main window: time against the core run, peak memory of
# long runs, and the wait between message processing on the largest network.
add_executable(bench_gui bench_gui.cpp)
target_link_libraries(bench_gui PRIVATE bench_ratio perceptlab_ui perceptlab_flags)

# The decision map's repaint against the network's own forward passes.
add_executable(bench_learning bench_learning.cpp)
target_link_libraries(bench_learning PRIVATE bench_ratio perceptlab_learning perceptlab_flags)
