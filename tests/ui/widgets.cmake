# SPDX-License-Identifier: GPL-3.0-or-later
# The numeric entry widgets, driven by real key, mouse, focus and clipboard
# events; each executable runs under a decimal point and a decimal comma locale.
foreach(test regional_separators float_edit float_grid spin_edit flat_combo_box)
  perceptlab_add_qt_test(widgets_${test} widgets/${test}_test.cpp widgets/localized.h widgets/recording_error_box.h)
  target_link_libraries(widgets_${test} PRIVATE perceptlab_widgets)
endforeach()
