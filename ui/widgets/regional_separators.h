// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The separators of the user's regional settings, read once per process:
// numbers are typed, shown and written with them.

#include <QString>

// The decimal separator as one character; "." when the locale's separator
// is not a single ASCII character. The core receives this value.
char RegionalDecimalSeparator();

// The thousands separator used by the display formats (may be empty or a
// non-ASCII character such as a narrow no-break space).
QString RegionalGroupSeparator();
