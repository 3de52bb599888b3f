# SPDX-License-Identifier: GPL-3.0-or-later
# A whole training run against the bare training steps it is made of.
add_executable(bench_training bench_training.cpp)
target_link_libraries(bench_training PRIVATE bench_ratio perceptlab_training perceptlab_flags)
