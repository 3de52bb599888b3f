// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh instance of the desktop's style under any proxies (platform themes
// install some), for a proxy style of our own to wrap: wrapped around a style
// that is itself a proxy, the inner style would send its requests back to
// that proxy, never to ours. Null when the style cannot be made by name,
// which leaves QProxyStyle to use the application's style.

class QStyle;

QStyle* FreshUnderlyingStyle();
