/* SPDX-FileCopyrightText: 2026 The pendulum simulator authors */
/* SPDX-License-Identifier: MIT */
/* The byte order musl's libm.h asks <endian.h> for, which MinGW does not have. Every target
 * the program is built for stores numbers little-endian; the definitions are token for token
 * those of glibc, so a system header that brings its own meets no conflict. */
#ifndef PENDULUM_MUSL_ENDIAN_H
#define PENDULUM_MUSL_ENDIAN_H
#if __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error musl's trigonometry is built here for little-endian targets only
#endif
#define __LITTLE_ENDIAN 1234
#define __BIG_ENDIAN 4321
#define __BYTE_ORDER __LITTLE_ENDIAN
#endif
