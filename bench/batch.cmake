# SPDX-License-Identifier: GPL-3.0-or-later
# A command-line training run against the same run made from the core.
add_executable(bench_batch bench_batch.cpp)
target_link_libraries(bench_batch PRIVATE bench_ratio perceptlab_batch perceptlab_flags)
target_compile_definitions(bench_batch PRIVATE PERCEPTLAB_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
