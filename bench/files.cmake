# SPDX-License-Identifier: GPL-3.0-or-later
# Reading and writing the largest network files against a plain line split
# with std::from_chars and a plain std::to_chars rendering of the same values.
add_executable(bench_files bench_files.cpp)
target_link_libraries(bench_files PRIVATE bench_ratio perceptlab_training perceptlab_flags)
