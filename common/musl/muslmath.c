/* SPDX-FileCopyrightText: 2026 The pendulum simulator authors */
/* SPDX-License-Identifier: MIT */
/* musl's sin, cos and atan as one translation unit, under names of their own (musl_sin,
 * musl_cos, musl_atan) so that they stand beside the C runtime's without replacing them. The
 * sources are musl's, unchanged, as Debian ships them; only their names are set here.
 *
 * The system's <math.h> comes first, under its own names: libm.h includes it again and finds
 * it done, so the renaming macros below touch musl's code only. musl's internal functions,
 * which libm.h declares "hidden", become static, private to this unit, and are renamed too:
 * C runtimes declare some of the same names (glibc's __sin and __cos) with other types. From
 * the C runtime the code still calls floor and scalbn, whose results are exact by definition
 * (an integer part, a power-of-two scaling of a number in range), so they are the same bits
 * everywhere. */
#include <float.h>
#include <math.h>
#include <stdint.h>

#define hidden static
#define __rem_pio2_large musl___rem_pio2_large
#define __rem_pio2 musl___rem_pio2
#define __sin musl___sin
#define __cos musl___cos
#define __tan musl___tan
#define __expo2 musl___expo2
#define __rem_pio2f musl___rem_pio2f
#define __sindf musl___sindf
#define __cosdf musl___cosdf
#define __tandf musl___tandf
#define __expo2f musl___expo2f
#define __rem_pio2l musl___rem_pio2l
#define __sinl musl___sinl
#define __cosl musl___cosl
#define __tanl musl___tanl
#define __polevll musl___polevll
#define __p1evll musl___p1evll
#define __signgam musl___signgam
#define __lgamma_r musl___lgamma_r
#define __lgammaf_r musl___lgammaf_r
#define __math_xflowf musl___math_xflowf
#define __math_uflowf musl___math_uflowf
#define __math_oflowf musl___math_oflowf
#define __math_divzerof musl___math_divzerof
#define __math_invalidf musl___math_invalidf
#define __math_xflow musl___math_xflow
#define __math_uflow musl___math_uflow
#define __math_oflow musl___math_oflow
#define __math_divzero musl___math_divzero
#define __math_invalid musl___math_invalid
#define __math_invalidl musl___math_invalidl
#define sin musl_sin
#define cos musl_cos
#define atan musl_atan

#include "src/math/__rem_pio2_large.c"
#include "src/math/__rem_pio2.c"
#include "src/math/__sin.c"
#include "src/math/__cos.c"
#include "src/math/sin.c"
#include "src/math/cos.c"
#include "src/math/atan.c"
