/* SPDX-FileCopyrightText: 2026 The lumo3 authors
 * SPDX-License-Identifier: GPL-3.0-or-later
 *
 * Debian's Qt source leaves out the Wintab headers that Qt's Windows plugin
 * includes. Wine's copies (package libwine-dev) serve once the few Wine
 * macros they use are given. Copied into the Qt source as wintab.h beside
 * wine_wintab.h and pktdef.h. */
#ifndef LUMO_WINTAB_SHIM_H
#define LUMO_WINTAB_SHIM_H
#include <windows.h>
#ifndef DECL_WINELIB_TYPE_AW
#ifdef UNICODE
#define DECL_WINELIB_TYPE_AW(type) typedef type##W type;
#define WINELIB_NAME_AW(func) func##W
#else
#define DECL_WINELIB_TYPE_AW(type) typedef type##A type;
#define WINELIB_NAME_AW(func) func##A
#endif
#endif
#ifndef API
#define API WINAPI
#endif
#include "wine_wintab.h"
#endif
