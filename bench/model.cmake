# SPDX-License-Identifier: GPL-3.0-or-later
# Training step and forward pass against FANN's double build, same patterns.
if(DOUBLEFANN_LIBRARY AND DOUBLEFANN_INCLUDE_DIR)
  add_executable(bench_model bench_model.cpp)
  target_include_directories(bench_model PRIVATE ${DOUBLEFANN_INCLUDE_DIR})
  target_link_libraries(bench_model PRIVATE bench_ratio perceptlab_model perceptlab_exponential ${DOUBLEFANN_LIBRARY} perceptlab_flags)
endif()
