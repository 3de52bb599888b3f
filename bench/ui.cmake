# The error chart alone: repaint cost against the number of points held, and
# the cost of an append.
add_executable(bench_chart bench_chart.cpp)
target_link_libraries(bench_chart PRIVATE bench_ratio perceptlab_chart perceptlab_flags)
