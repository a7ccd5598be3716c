#include "platform/software/Rasterizer.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace plm::platform::raster {

namespace {

// ---- Channel arithmetic. A factor f of 0..255 weighs W(f) = f + f/128 of 256, so 255 is exactly
// one and 0 exactly none, and W(f) + W(255 - f) = 256: an alpha blend never drifts. Every blend
// sums its two weighted terms before the one shift, so the fast paths below equal the generic one.

constexpr uint32_t W(uint32_t f) { return f + (f >> 7); }

constexpr uint32_t Ch(uint32_t c, int shift) { return (c >> shift) & 0xFF; }

constexpr uint32_t Pack(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }

// Linear interpolation of two colours, f of 0..256, two channels a multiply.
[[gnu::always_inline]] inline uint32_t Lerp(uint32_t a, uint32_t b, uint32_t f) {
    uint32_t nf = 256 - f;
    uint32_t rb = (((a & 0xFF00FF) * nf + (b & 0xFF00FF) * f) >> 8) & 0xFF00FF;
    uint32_t ag = (((a >> 8) & 0xFF00FF) * nf + ((b >> 8) & 0xFF00FF) * f) & 0xFF00FF00;
    return rb | ag;
}

// a x b / 255 rounded to nearest, exactly, so white modulates to the other colour unchanged.
[[gnu::always_inline]] inline uint32_t Mul255(uint32_t a, uint32_t b) {
    uint32_t m = a * b + 128;
    return (m + (m >> 8)) >> 8;
}

// Channel-wise product of two colours (texture modulated by the diffuse colour).
[[gnu::always_inline]] inline uint32_t Modulate(uint32_t t, uint32_t d) {
    return Pack(Mul255(Ch(t, 24), Ch(d, 24)), Mul255(Ch(t, 16), Ch(d, 16)), Mul255(Ch(t, 8), Ch(d, 8)),
                Mul255(Ch(t, 0), Ch(d, 0)));
}

// Two 16-bit lanes of at most 510 each, saturated to 255.
[[gnu::always_inline]] inline uint32_t Saturate2(uint32_t lanes) {
    uint32_t over = lanes & 0x01000100;
    return (lanes | (over - (over >> 8))) & 0x00FF00FF;
}

// The four factors of one blend factor for a source and destination colour, each 0..255.
inline void Factor(int32_t f, uint32_t s, uint32_t d, uint32_t out[4]) {
    uint32_t sa = Ch(s, 24), da = Ch(d, 24);
    switch (f) {
        case 1: out[0] = out[1] = out[2] = out[3] = 0; return;
        case 3: out[0] = sa, out[1] = Ch(s, 16), out[2] = Ch(s, 8), out[3] = Ch(s, 0); return;
        case 4: out[0] = 255 - sa, out[1] = 255 - Ch(s, 16), out[2] = 255 - Ch(s, 8), out[3] = 255 - Ch(s, 0); return;
        case 5: out[0] = out[1] = out[2] = out[3] = sa; return;
        case 6: out[0] = out[1] = out[2] = out[3] = 255 - sa; return;
        case 7: out[0] = out[1] = out[2] = out[3] = da; return;
        case 8: out[0] = out[1] = out[2] = out[3] = 255 - da; return;
        case 9: out[0] = da, out[1] = Ch(d, 16), out[2] = Ch(d, 8), out[3] = Ch(d, 0); return;
        case 10: out[0] = 255 - da, out[1] = 255 - Ch(d, 16), out[2] = 255 - Ch(d, 8), out[3] = 255 - Ch(d, 0); return;
        case 11: out[1] = out[2] = out[3] = std::min(sa, 255 - da), out[0] = 255; return;
        default: out[0] = out[1] = out[2] = out[3] = 255; return;  // one
    }
}

enum BlendKind { kReplace, kAlpha, kAddAlpha, kAdd, kGeneric };

BlendKind KindOf(const State& s) {
    if (!s.blend || (s.srcBlend == 2 && s.destBlend == 1)) return kReplace;
    if (s.srcBlend == 5 && s.destBlend == 6) return kAlpha;
    if (s.srcBlend == 5 && s.destBlend == 2) return kAddAlpha;
    if (s.srcBlend == 2 && s.destBlend == 2) return kAdd;
    return kGeneric;
}

// ---- The shading context of one polygon.

[[gnu::always_inline]] inline int32_t WrapIndex(int32_t i, int32_t n) {
    int32_t m = i % n;
    return m < 0 ? m + n : m;
}

// Texel addressing: kFree when the caller knows every tap is inside the clamp box, kClamp to
// clamp each tap into it, kWrap to repeat the whole texture.
enum Addressing { kFree, kClamp, kWrap };

template <int Tex, int Addr>
[[gnu::always_inline]] inline uint32_t Sample(const Shade& s, int32_t u, int32_t v) {
    if constexpr (Tex == 0) {
        return 0xFFFFFFFF;
    } else if constexpr (Tex == 1) {
        int32_t x = u >> 16, y = v >> 16;
        if constexpr (Addr == kWrap) {
            x = WrapIndex(x, s.tw), y = WrapIndex(y, s.th);
        } else if constexpr (Addr == kClamp) {
            x = std::clamp(x, s.minX, s.maxX), y = std::clamp(y, s.minY, s.maxY);
        }
        return s.tex[size_t(y) * size_t(s.tw) + size_t(x)];
    } else {
        int32_t x0 = u >> 16, y0 = v >> 16;
        uint32_t fx = (uint32_t(u) >> 8) & 0xFF, fy = (uint32_t(v) >> 8) & 0xFF;
        int32_t x1 = x0 + 1, y1 = y0 + 1;
        if constexpr (Addr == kWrap) {
            x0 = WrapIndex(x0, s.tw), x1 = WrapIndex(x1, s.tw), y0 = WrapIndex(y0, s.th), y1 = WrapIndex(y1, s.th);
        } else if constexpr (Addr == kClamp) {
            x0 = std::clamp(x0, s.minX, s.maxX), x1 = std::clamp(x1, s.minX, s.maxX);
            y0 = std::clamp(y0, s.minY, s.maxY), y1 = std::clamp(y1, s.minY, s.maxY);
        }
        const uint32_t* r0 = s.tex + size_t(y0) * size_t(s.tw);
        const uint32_t* r1 = s.tex + size_t(y1) * size_t(s.tw);
        // Down the columns first, then across: the vector path below does the same arithmetic.
        return Lerp(Lerp(r0[x0], r1[x0], fy), Lerp(r0[x1], r1[x1], fy), fx);
    }
}

[[gnu::always_inline]] inline uint32_t Combine(const Shade& s, uint32_t texel, uint32_t diffuse) {
    if (diffuse == 0xFFFFFFFF) return texel;
    uint32_t m = Modulate(texel, diffuse);
    if (s.colorMod && s.alphaMod) return m;
    uint32_t rgb = s.colorMod ? m : texel;
    uint32_t a = s.alphaMod ? m : texel;
    return (rgb & 0x00FFFFFF) | (a & 0xFF000000);
}

template <int Blend>
[[gnu::always_inline]] inline uint32_t BlendPixel(const Shade& s, uint32_t src, uint32_t dst) {
    if constexpr (Blend == kReplace) {
        return src;
    } else if constexpr (Blend == kAlpha) {
        uint32_t w = W(src >> 24), nw = 256 - w;
        uint32_t rb = (((src & 0xFF00FF) * w + (dst & 0xFF00FF) * nw) >> 8) & 0xFF00FF;
        uint32_t ag = (((src >> 8) & 0xFF00FF) * w + ((dst >> 8) & 0xFF00FF) * nw) & 0xFF00FF00;
        return rb | ag;
    } else if constexpr (Blend == kAddAlpha || Blend == kAdd) {
        uint32_t w = Blend == kAdd ? 256 : W(src >> 24);
        uint32_t rb = (((src & 0xFF00FF) * w) >> 8) & 0xFF00FF;
        uint32_t ag = ((((src >> 8) & 0xFF00FF) * w) >> 8) & 0xFF00FF;
        return Saturate2(rb + (dst & 0xFF00FF)) | (Saturate2(ag + ((dst >> 8) & 0xFF00FF)) << 8);
    } else {
        uint32_t fs[4], fd[4];
        Factor(s.src, src, dst, fs);
        Factor(s.dst, src, dst, fd);
        uint32_t out = 0;
        for (int i = 0; i < 4; ++i) {
            int shift = 24 - 8 * i;
            uint32_t c = (Ch(src, shift) * W(fs[i]) + Ch(dst, shift) * W(fd[i])) >> 8;
            out |= std::min(c, 255u) << shift;
        }
        return out;
    }
}

[[gnu::always_inline]] inline uint32_t Channel(int32_t fixed) { return uint32_t(std::clamp(fixed >> 16, 0, 255)); }

template <int Tex, int Addr, bool Gouraud, int Blend>
void ShadeSpan(const Shade& s, const SpanArgs& a) {
    uint32_t* dst = a.dst;
    int32_t u = a.u, v = a.v;
    int32_t ca = a.c[0], cr = a.c[1], cg = a.c[2], cb = a.c[3];
    for (int32_t i = 0; i < a.count; ++i) {
        uint32_t diffuse = Gouraud ? Pack(Channel(ca), Channel(cr), Channel(cg), Channel(cb)) : s.color;
        uint32_t src = Combine(s, Sample<Tex, Addr>(s, u, v), diffuse);
        // A fully transparent source leaves an alpha-blended pixel exactly as it was.
        if (!(Blend == kAlpha || Blend == kAddAlpha) || (src >> 24))
            dst[i] = BlendPixel<Blend>(s, src, dst[i]) | s.alphaOr;
        if constexpr (Tex != 0) u += a.du, v += a.dv;
        if constexpr (Gouraud) ca += a.dc[0], cr += a.dc[1], cg += a.dc[2], cb += a.dc[3];
    }
}

#if defined(__SSE2__)
// The sprite batch's common cases with SSE2, bit for bit the same as ShadeSpan: point or bilinear
// taps, clamped or not, one diffuse colour, and the replace, alpha or additive blends. One pixel
// at a time, its four channels in 16-bit lanes (two texels side by side while filtering).
// The texel a pixel samples (filtered when Tex is 2), its channels in lanes 0..3 (b, g, r, a);
// false when the alpha blends may skip it because every tap is transparent.
template <int Tex, int Addr, int Blend>
[[gnu::always_inline]] inline bool Fetch(const Shade& s, int32_t u, int32_t v, __m128i& px) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i c256 = _mm_set1_epi16(256);
    int32_t x0 = u >> 16, y0 = v >> 16;
    if constexpr (Tex == 1) {
        if constexpr (Addr == kClamp) x0 = std::clamp(x0, s.minX, s.maxX), y0 = std::clamp(y0, s.minY, s.maxY);
        uint32_t texel = s.tex[size_t(y0) * size_t(s.tw) + size_t(x0)];
        if constexpr (Blend == kAlpha || Blend == kAddAlpha)
            if (!(texel >> 24)) return false;  // transparent stays transparent through modulation
        px = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(texel)), zero);
    } else {
        int fx = (u >> 8) & 0xFF, fy = (v >> 8) & 0xFF;
        __m128i l0, l1;  // the two texels of the upper row, and of the lower
        if constexpr (Addr == kClamp) {
            int32_t x1 = std::clamp(x0 + 1, s.minX, s.maxX), y1 = std::clamp(y0 + 1, s.minY, s.maxY);
            x0 = std::clamp(x0, s.minX, s.maxX), y0 = std::clamp(y0, s.minY, s.maxY);
            const uint32_t* r0 = s.tex + size_t(y0) * size_t(s.tw);
            const uint32_t* r1 = s.tex + size_t(y1) * size_t(s.tw);
            l0 = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(r0[x0])), _mm_cvtsi32_si128(int(r0[x1])));
            l1 = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(r1[x0])), _mm_cvtsi32_si128(int(r1[x1])));
        } else {
            const uint32_t* r0 = s.tex + size_t(y0) * size_t(s.tw) + size_t(x0);
            l0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(r0));
            l1 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(r0 + s.tw));
        }
        if constexpr (Blend == kAlpha || Blend == kAddAlpha) {
            // All four taps transparent: the filtered, modulated source is too.
            uint64_t taps = uint64_t(_mm_cvtsi128_si64(_mm_or_si128(l0, l1)));
            if (!(taps & 0xFF000000FF000000ull)) return false;
        }
        __m128i t0 = _mm_unpacklo_epi8(l0, zero);
        __m128i t1 = _mm_unpacklo_epi8(l1, zero);
        __m128i wy = _mm_set1_epi16(short(fy));
        __m128i col =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(t0, _mm_sub_epi16(c256, wy)), _mm_mullo_epi16(t1, wy)), 8);
        __m128i wx1 = _mm_set1_epi16(short(fx));
        __m128i wx = _mm_unpacklo_epi64(_mm_sub_epi16(c256, wx1), wx1);
        __m128i m = _mm_mullo_epi16(col, wx);
        px = _mm_srli_epi16(_mm_add_epi16(m, _mm_srli_si128(m, 8)), 8);
    }
    return true;
}

// Modulation and blending of one or two pixels held in the lanes of px (b, g, r, a each) over the
// destination pixels in d, laid out alike.
template <int Blend>
[[gnu::always_inline]] inline __m128i ModulateBlend(__m128i px, __m128i d, __m128i mod, bool modulate) {
    const __m128i c128 = _mm_set1_epi16(128);
    const __m128i c256 = _mm_set1_epi16(256);
    if (modulate) {
        __m128i p = _mm_add_epi16(_mm_mullo_epi16(px, mod), c128);
        px = _mm_srli_epi16(_mm_add_epi16(p, _mm_srli_epi16(p, 8)), 8);
    }
    if constexpr (Blend == kReplace) {
        return px;
    } else {
        __m128i ws;
        if constexpr (Blend == kAdd) {
            ws = c256;
        } else {
            // Each pixel's alpha (lanes 3 and 7) spread over its four lanes, as W(a) = a + a / 128.
            __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(px, 0xFF), 0xFF);
            ws = _mm_add_epi16(a, _mm_srli_epi16(a, 7));
        }
        if constexpr (Blend == kAlpha)
            return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(px, ws), _mm_mullo_epi16(d, _mm_sub_epi16(c256, ws))),
                                  8);
        else
            return _mm_adds_epu16(_mm_srli_epi16(_mm_mullo_epi16(px, ws), 8), d);
    }
}

template <int Tex, int Addr, int Blend>
void ShadeSpanSse(const Shade& s, const SpanArgs& a) {
    const __m128i zero = _mm_setzero_si128();
    uint32_t modColor = s.color;
    if (!s.colorMod) modColor |= 0x00FFFFFF;
    if (!s.alphaMod) modColor |= 0xFF000000;
    const bool modulate = modColor != 0xFFFFFFFF;
    const __m128i mod1 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(modColor)), zero);
    const __m128i mod2 = _mm_unpacklo_epi64(mod1, mod1);
    const __m128i alphaOr = _mm_set1_epi32(int(s.alphaOr));
    uint32_t* dst = a.dst;
    int32_t u = a.u, v = a.v, i = 0;
    // Two pixels at a time through modulation and blending: one transparent pixel of the pair is
    // blended with weight 0, which leaves it exactly as it was.
    for (; i + 1 < a.count; i += 2, u += 2 * a.du, v += 2 * a.dv) {
        __m128i p0 = zero, p1 = zero;
        bool any0 = Fetch<Tex, Addr, Blend>(s, u, v, p0);
        bool any1 = Fetch<Tex, Addr, Blend>(s, u + a.du, v + a.dv, p1);
        if (!any0 && !any1) continue;
        __m128i px = _mm_unpacklo_epi64(p0, p1);
        __m128i d = Blend == kReplace ? zero
                                      : _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(dst + i)), zero);
        __m128i out = ModulateBlend<Blend>(px, d, mod2, modulate);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(_mm_packus_epi16(out, out), alphaOr));
    }
    if (i < a.count) {
        __m128i px;
        if (!Fetch<Tex, Addr, Blend>(s, u, v, px)) return;
        __m128i d = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(dst[i])), zero);
        __m128i out = ModulateBlend<Blend>(px, d, mod1, modulate);
        dst[i] = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(out, out))) | s.alphaOr;
    }
}
#endif

#if defined(__x86_64__) || defined(__i386__)
// The same cases with AVX2, eight pixels at a time, for spans whose every tap lies inside the
// texture (the unclamped pieces). Compiled for AVX2 by attribute only, so the rest of the library
// stays baseline x86-64, and picked at run time when the processor has it. The channels stay
// where they are: the even bytes of each pixel (b, r) and its odd bytes (g, a) go through the
// arithmetic as two sets of 16-bit lanes, so no pixel crosses a lane and nothing needs unpacking
// or packing. A lerp a (256 - f) + b f over 256, rounded down, is a + ((b - a) f >> 8), which one
// signed high multiply gives exactly from 2 (b - a) and 128 f (both inside 16 bits); a x d / 255
// rounded is the high half of (a d + 128) x 257. Every result equals the scalar one bit for bit.

// a + ((b - a) f >> 8) for 16-bit channels a, b of 0..255, fs = f << (8 - Scale), d scaled by
// 1 << Scale so that neither factor leaves 16 signed bits.
template <int Scale>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i LerpAvx2(__m256i a, __m256i b, __m256i fs) {
    __m256i d = _mm256_sub_epi16(b, a);
    d = Scale == 1 ? _mm256_add_epi16(d, d) : _mm256_slli_epi16(d, Scale);
    return _mm256_add_epi16(a, _mm256_mulhi_epi16(d, fs));
}

// The texels at base[index] of the eight pixels (of the first `count`, the rest 0, when Tail).
template <bool Tail>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i GatherAvx2(const int* base, __m256i index, __m256i mask) {
    if constexpr (Tail) return _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), base, index, mask, 4);
    else return _mm256_i32gather_epi32(base, index, 4);
}

// Eight pixels (or the first `count` of them when Tail) of a span from pixel i on.
template <int Tex, int Blend, bool Tail>
[[gnu::target("avx2"), gnu::always_inline]] inline void ShadeEightAvx2(const int* tex, int32_t tw, uint32_t* dst,
                                                                      __m256i u, __m256i v, __m256i mask,
                                                                      __m256i modEven, __m256i modOdd, bool modulate,
                                                                      __m256i alphaOr) {
    const __m256i alphaBits = _mm256_set1_epi32(int(0xFF000000u));
    const __m256i evenBytes = _mm256_set1_epi32(0x00FF00FF);
    // pshufb patterns (each 128-bit lane alike): a pixel's odd bytes moved down to its even ones;
    // bits 8..15 of a 16.16 coordinate times 256 in both 16-bit lanes; the alpha lane in both.
    const __m256i oddBytes = _mm256_setr_epi8(1, -1, 3, -1, 5, -1, 7, -1, 9, -1, 11, -1, 13, -1, 15, -1, 1, -1, 3,
                                              -1, 5, -1, 7, -1, 9, -1, 11, -1, 13, -1, 15, -1);
    const __m256i fraction = _mm256_setr_epi8(-1, 1, -1, 1, -1, 5, -1, 5, -1, 9, -1, 9, -1, 13, -1, 13, -1, 1, -1,
                                              1, -1, 5, -1, 5, -1, 9, -1, 9, -1, 13, -1, 13);
    const __m256i alphaLane = _mm256_setr_epi8(2, 3, 2, 3, 6, 7, 6, 7, 10, 11, 10, 11, 14, 15, 14, 15, 2, 3, 2, 3,
                                               6, 7, 6, 7, 10, 11, 10, 11, 14, 15, 14, 15);
    // y tw + x in one multiply-add of 16-bit halves (x, y), as both lie inside the texture (below
    // 8192); the lanes a tail leaves out are never read.
    __m256i xy = _mm256_blend_epi16(_mm256_srli_epi32(u, 16), v, 0xAA);
    __m256i index = _mm256_madd_epi16(xy, _mm256_set1_epi32(int32_t(uint32_t(tw) << 16 | 1u)));
    __m256i even, odd;  // the filtered texel's channels
    if constexpr (Tex == 1) {
        __m256i t = GatherAvx2<Tail>(tex, index, mask);
        if constexpr (Blend == kAlpha || Blend == kAddAlpha)
            if (_mm256_testz_si256(t, alphaBits)) return;
        even = _mm256_and_si256(t, evenBytes), odd = _mm256_shuffle_epi8(t, oddBytes);
    } else {
        __m256i t00 = GatherAvx2<Tail>(tex, index, mask), t10 = GatherAvx2<Tail>(tex + 1, index, mask);
        __m256i t01 = GatherAvx2<Tail>(tex + tw, index, mask), t11 = GatherAvx2<Tail>(tex + tw + 1, index, mask);
        if constexpr (Blend == kAlpha || Blend == kAddAlpha) {
            // All taps of all eight transparent: nothing changes.
            __m256i any = _mm256_or_si256(_mm256_or_si256(t00, t10), _mm256_or_si256(t01, t11));
            if (_mm256_testz_si256(any, alphaBits)) return;
        }
        // Down the columns first, then across, as the scalar code does.
        __m256i wy = _mm256_srli_epi16(_mm256_shuffle_epi8(v, fraction), 1);
        __m256i wx = _mm256_srli_epi16(_mm256_shuffle_epi8(u, fraction), 1);
        __m256i e0 = LerpAvx2<1>(_mm256_and_si256(t00, evenBytes), _mm256_and_si256(t01, evenBytes), wy);
        __m256i e1 = LerpAvx2<1>(_mm256_and_si256(t10, evenBytes), _mm256_and_si256(t11, evenBytes), wy);
        __m256i o0 = LerpAvx2<1>(_mm256_shuffle_epi8(t00, oddBytes), _mm256_shuffle_epi8(t01, oddBytes), wy);
        __m256i o1 = LerpAvx2<1>(_mm256_shuffle_epi8(t10, oddBytes), _mm256_shuffle_epi8(t11, oddBytes), wy);
        even = LerpAvx2<1>(e0, e1, wx), odd = LerpAvx2<1>(o0, o1, wx);
    }
    if (modulate) {
        const __m256i c128 = _mm256_set1_epi16(128), c257 = _mm256_set1_epi16(257);
        even = _mm256_mulhi_epu16(_mm256_add_epi16(_mm256_mullo_epi16(even, modEven), c128), c257);
        odd = _mm256_mulhi_epu16(_mm256_add_epi16(_mm256_mullo_epi16(odd, modOdd), c128), c257);
    }
    if constexpr (Blend != kReplace) {
        __m256i d = Tail ? _mm256_maskload_epi32(reinterpret_cast<const int*>(dst), mask)
                         : _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
        __m256i dEven = _mm256_and_si256(d, evenBytes), dOdd = _mm256_shuffle_epi8(d, oddBytes);
        const __m256i c255 = _mm256_set1_epi16(255);
        if constexpr (Blend == kAdd) {
            even = _mm256_min_epu16(_mm256_add_epi16(even, dEven), c255);
            odd = _mm256_min_epu16(_mm256_add_epi16(odd, dOdd), c255);
        } else {
            // W(a) = a + a / 128 of each pixel's alpha, over its four channels.
            __m256i a = _mm256_shuffle_epi8(odd, alphaLane);
            __m256i w = _mm256_add_epi16(a, _mm256_srli_epi16(a, 7));
            if constexpr (Blend == kAlpha) {
                w = _mm256_slli_epi16(w, 6);
                even = LerpAvx2<2>(dEven, even, w), odd = LerpAvx2<2>(dOdd, odd, w);
            } else {
                w = _mm256_slli_epi16(w, 7);
                even = _mm256_min_epu16(_mm256_add_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(even, even), w), dEven), c255);
                odd = _mm256_min_epu16(_mm256_add_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(odd, odd), w), dOdd), c255);
            }
        }
    }
    __m256i out = _mm256_or_si256(_mm256_or_si256(even, _mm256_bslli_epi128(odd, 1)), alphaOr);
    if constexpr (Tail) _mm256_maskstore_epi32(reinterpret_cast<int*>(dst), mask, out);
    else _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), out);
}

template <int Tex, int Blend>
[[gnu::target("avx2")]] void ShadeSpanAvx2(const Shade& s, const SpanArgs& a) {
    uint32_t modColor = s.color;
    if (!s.colorMod) modColor |= 0x00FFFFFF;
    if (!s.alphaMod) modColor |= 0xFF000000;
    const bool modulate = modColor != 0xFFFFFFFF;
    const __m256i modEven = _mm256_set1_epi32(int32_t(modColor & 0x00FF00FF));
    const __m256i modOdd = _mm256_set1_epi32(int32_t((modColor >> 8) & 0x00FF00FF));
    const __m256i alphaOr = _mm256_set1_epi32(int(s.alphaOr));
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    // Pixel i's coordinates are u + i du in wrapping 32-bit arithmetic, as in the scalar loop.
    __m256i u = _mm256_add_epi32(_mm256_set1_epi32(a.u), _mm256_mullo_epi32(lane, _mm256_set1_epi32(a.du)));
    __m256i v = _mm256_add_epi32(_mm256_set1_epi32(a.v), _mm256_mullo_epi32(lane, _mm256_set1_epi32(a.dv)));
    const __m256i du8 = _mm256_set1_epi32(int32_t(uint32_t(a.du) * 8u)), dv8 = _mm256_set1_epi32(int32_t(uint32_t(a.dv) * 8u));
    // Held in locals: the stores through dst could alias the records, which would have the
    // compiler read them again every eight pixels.
    const int* tex = reinterpret_cast<const int*>(s.tex);
    const int32_t tw = s.tw, count = a.count;
    uint32_t* const dst = a.dst;
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        ShadeEightAvx2<Tex, Blend, false>(tex, tw, dst + i, u, v, lane, modEven, modOdd, modulate, alphaOr);
        u = _mm256_add_epi32(u, du8), v = _mm256_add_epi32(v, dv8);
    }
    if (i < count) {
        __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(count - i), lane);
        ShadeEightAvx2<Tex, Blend, true>(tex, tw, dst + i, u, v, mask, modEven, modOdd, modulate, alphaOr);
    }
}

// The same cases with AVX-512 (F, BW and VL), sixteen pixels at a time with the AVX2 loop's
// arithmetic, a span's last pixels through masked gathers, loads and stores. Some intrinsics are
// written in their masked form, all lanes on: GCC 12's plain ones trip a false warning of an
// uninitialised variable.

// LerpAvx2 with AVX-512.
template <int Scale>
[[gnu::target("avx512f,avx512bw"), gnu::always_inline]] inline __m512i LerpAvx512(__m512i a, __m512i b, __m512i fs) {
    __m512i d = _mm512_sub_epi16(b, a);
    d = Scale == 1 ? _mm512_add_epi16(d, d) : _mm512_slli_epi16(d, Scale);
    return _mm512_add_epi16(a, _mm512_mulhi_epi16(d, fs));
}

// a + ((b - a) f >> 8) + f from a and bUp = b + 256 (a of 0..767, bUp - a of 0..511) and f8 = 256 f.
[[gnu::target("avx512f,avx512bw"), gnu::always_inline]] inline __m512i LerpUpAvx512(__m512i a, __m512i bUp, __m512i f8) {
    return _mm512_add_epi16(a, _mm512_mulhi_epu16(_mm512_sub_epi16(bUp, a), f8));
}

// x in each 128-bit lane.
[[gnu::target("avx512f"), gnu::always_inline]] inline __m512i BroadcastAvx512(__m128i x) {
    return _mm512_maskz_broadcast_i32x4(0xFFFF, x);
}

// What every sixteen pixels of a span share.
struct SpanConstantsAvx512 {
    __m512i even, odd;        // a pixel's even bytes in place; its odd bytes moved down to them
    __m512i fraction;         // bits 8..15 of a 16.16 coordinate, times 256, in both 16-bit lanes
    __m512i alpha;            // the alpha lane of the odd bytes in both lanes
    __m512i alphaLane;        // that lane alone
    __m512i pairLow, pairHigh;  // the first and second texel of sixteen 64-bit pairs
    __m512i rowStep;          // (x, y) to y tw + x
    __m512i modEven, modOdd;  // the diffuse colour as the channels are laid out
    __m512i alphaOr;
};

// A pixel's even bytes, and its odd bytes, as 16-bit lanes raised by up (a multiple of 256).
[[gnu::target("avx512f,avx512bw"), gnu::always_inline]] inline __m512i EvenAvx512(__m512i t, __m512i up,
                                                                                const SpanConstantsAvx512& c) {
    return _mm512_ternarylogic_epi32(t, c.even, up, 0xEA);  // (t & even) | up
}

[[gnu::target("avx512f,avx512bw"), gnu::always_inline]] inline __m512i OddAvx512(__m512i t, __m512i up,
                                                                               const SpanConstantsAvx512& c) {
    return _mm512_mask_shuffle_epi8(up, 0x5555555555555555ull, t, c.odd);
}

// Where the sixteen pixels of a span along a texel row (Along) find their taps: the texels from
// `first` on, `count` of them (at most seventeen), starting at `texels`, and the row below.
struct AlongRow {
    const int* texels = nullptr;
    int32_t first = 0, count = 0;
};

// The pixels of mask k among sixteen of a span from pixel i on.
template <int Tex, int Blend, bool Modulate, bool Along>
[[gnu::target("avx512f,avx512bw,avx512vl"), gnu::always_inline]] inline void ShadeSixteenAvx512(
    const int* tex, int32_t tw, uint32_t* dst, __m512i u, __m512i v, __mmask16 k, const SpanConstantsAvx512& c,
    AlongRow along) {
    const __m512i zero = _mm512_setzero_si512();
    // y tw + x in one multiply-add of 16-bit halves, as in the AVX2 loop.
    __m512i xy = _mm512_mask_blend_epi16(0xAAAAAAAAu, _mm512_maskz_srli_epi32(0xFFFF, u, 16), v);
    __m512i index = _mm512_madd_epi16(xy, c.rowStep);
    __m512i even, odd;  // the filtered texel's channels
    if constexpr (Tex == 1) {
        __m512i t = _mm512_mask_i32gather_epi32(zero, k, index, tex, 4);
        even = _mm512_and_si512(t, c.even), odd = _mm512_shuffle_epi8(t, c.odd);
    } else {
        __m512i t00, t10, t01, t11;
        if constexpr (Along) {
            // Each row's texels in two masked loads that read only those the taps need, each
            // pixel's two taps picked from them by a permute.
            int32_t n = along.count;
            __mmask16 lo = n >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << n) - 1), hi = n > 16 ? 1 : 0;
            __m512i x = _mm512_sub_epi32(_mm512_maskz_srli_epi32(0xFFFF, u, 16), _mm512_set1_epi32(along.first));
            __m512i x1 = _mm512_add_epi32(x, _mm512_set1_epi32(1));
            const int* row0 = along.texels;
            const int* row1 = row0 + tw;
            __m512i a0 = _mm512_maskz_loadu_epi32(lo, row0), b0 = _mm512_maskz_loadu_epi32(hi, row0 + 16);
            __m512i a1 = _mm512_maskz_loadu_epi32(lo, row1), b1 = _mm512_maskz_loadu_epi32(hi, row1 + 16);
            t00 = _mm512_permutex2var_epi32(a0, x, b0), t10 = _mm512_permutex2var_epi32(a0, x1, b0);
            t01 = _mm512_permutex2var_epi32(a1, x, b1), t11 = _mm512_permutex2var_epi32(a1, x1, b1);
        } else {
        // Each row's two taps side by side in one 64-bit gather; then the first and the second
        // texels of the sixteen pairs apart, in pixel order.
        __m256i first = _mm512_maskz_extracti64x4_epi64(0xFF, index, 0);
        __m256i second = _mm512_maskz_extracti64x4_epi64(0xFF, index, 1);
        const void* row0 = tex;
        const void* row1 = tex + tw;
        __mmask8 ka = __mmask8(k), kb = __mmask8(k >> 8);
        __m512i r0a = _mm512_mask_i32gather_epi64(zero, ka, first, row0, 4);
        __m512i r0b = _mm512_mask_i32gather_epi64(zero, kb, second, row0, 4);
        __m512i r1a = _mm512_mask_i32gather_epi64(zero, ka, first, row1, 4);
        __m512i r1b = _mm512_mask_i32gather_epi64(zero, kb, second, row1, 4);
        t00 = _mm512_permutex2var_epi32(r0a, c.pairLow, r0b), t10 = _mm512_permutex2var_epi32(r0a, c.pairHigh, r0b);
        t01 = _mm512_permutex2var_epi32(r1a, c.pairLow, r1b), t11 = _mm512_permutex2var_epi32(r1a, c.pairHigh, r1b);
        }
        // Down the columns first, then across, as the scalar code does, each lerp one unsigned high
        // multiply: a + (b - a + 256) f / 256 is a + f + ((b - a) f >> 8). The 256 rides in on the
        // taps, each lerp's second split 256 above its first; the f each first-row lerp adds cancels
        // in the difference across, and fx + fy comes off at the end.
        const __m512i up1 = _mm512_set1_epi16(256), up2 = _mm512_set1_epi16(512);
        __m512i wy = _mm512_shuffle_epi8(v, c.fraction), wx = _mm512_shuffle_epi8(u, c.fraction);
        __m512i e0 = LerpUpAvx512(_mm512_and_si512(t00, c.even), EvenAvx512(t01, up1, c), wy);
        __m512i e1 = LerpUpAvx512(EvenAvx512(t10, up1, c), EvenAvx512(t11, up2, c), wy);
        __m512i o0 = LerpUpAvx512(_mm512_shuffle_epi8(t00, c.odd), OddAvx512(t01, up1, c), wy);
        __m512i o1 = LerpUpAvx512(OddAvx512(t10, up1, c), OddAvx512(t11, up2, c), wy);
        __m512i both = _mm512_srli_epi16(_mm512_avg_epu16(wx, wy), 7);  // fx + fy
        even = _mm512_sub_epi16(LerpUpAvx512(e0, e1, wx), both);
        odd = _mm512_sub_epi16(LerpUpAvx512(o0, o1, wx), both);
    }
    if constexpr (Modulate) {
        const __m512i c128 = _mm512_set1_epi16(128), c257 = _mm512_set1_epi16(257);
        even = _mm512_mulhi_epu16(_mm512_add_epi16(_mm512_mullo_epi16(even, c.modEven), c128), c257);
        odd = _mm512_mulhi_epu16(_mm512_add_epi16(_mm512_mullo_epi16(odd, c.modOdd), c128), c257);
    }
    // A fully transparent source leaves an alpha-blended pixel exactly as it was: not written.
    if constexpr (Blend == kAlpha || Blend == kAddAlpha) k = _mm512_mask_test_epi32_mask(k, odd, c.alphaLane);
    if constexpr (Blend != kReplace) {
        __m512i d = _mm512_maskz_loadu_epi32(k, dst);
        __m512i dEven = _mm512_and_si512(d, c.even), dOdd = _mm512_shuffle_epi8(d, c.odd);
        if constexpr (Blend == kAdd) {
            const __m512i c255 = _mm512_set1_epi16(255);
            even = _mm512_min_epu16(_mm512_add_epi16(even, dEven), c255);
            odd = _mm512_min_epu16(_mm512_add_epi16(odd, dOdd), c255);
        } else {
            // W(a) = a + a / 128 of each pixel's alpha, over its four channels.
            __m512i a = _mm512_shuffle_epi8(odd, c.alpha);
            __m512i w = _mm512_add_epi16(a, _mm512_srli_epi16(a, 7));
            if constexpr (Blend == kAlpha) {
                w = _mm512_slli_epi16(w, 6);
                even = LerpAvx512<2>(dEven, even, w), odd = LerpAvx512<2>(dOdd, odd, w);
            } else {
                const __m512i c255 = _mm512_set1_epi16(255);
                w = _mm512_slli_epi16(w, 7);
                even = _mm512_min_epu16(_mm512_add_epi16(_mm512_mulhi_epu16(_mm512_add_epi16(even, even), w), dEven), c255);
                odd = _mm512_min_epu16(_mm512_add_epi16(_mm512_mulhi_epu16(_mm512_add_epi16(odd, odd), w), dOdd), c255);
            }
        }
    }
    __m512i out = _mm512_ternarylogic_epi32(even, _mm512_bslli_epi128(odd, 1), c.alphaOr, 0xFE);
    _mm512_mask_storeu_epi32(dst, k, out);
}

template <int Tex, int Blend, bool Modulate>
[[gnu::target("avx512f,avx512bw,avx512vl")]] void ShadeRunAvx512(const int* tex, int32_t tw, uint32_t* dst,
                                                                  int32_t count, int32_t u0, int32_t v0, int32_t du,
                                                                  int32_t dv, const SpanConstantsAvx512& c) {
    const __m512i lane = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    // Pixel i's coordinates are u + i du in wrapping 32-bit arithmetic, as in the scalar loop.
    __m512i u = _mm512_add_epi32(_mm512_set1_epi32(u0), _mm512_mullo_epi32(lane, _mm512_set1_epi32(du)));
    __m512i v = _mm512_add_epi32(_mm512_set1_epi32(v0), _mm512_mullo_epi32(lane, _mm512_set1_epi32(dv)));
    const __m512i du16 = _mm512_set1_epi32(int32_t(uint32_t(du) * 16u)), dv16 = _mm512_set1_epi32(int32_t(uint32_t(dv) * 16u));
    // Along a texel row, a texel a pixel at most (unturned sprites drawn at their size or larger):
    // sixteen pixels' taps lie in seventeen texels of each of two rows, read whole instead of
    // gathered (a point-sampled span gathers as fast).
    if constexpr (Tex == 2) {
        if (dv == 0 && du >= 0 && du <= 0x10000) {
            const int* row = tex + size_t(v0 >> 16) * size_t(tw);
            for (int32_t i = 0; i < count; i += 16) {
                int32_t n = std::min(count - i, 16);
                __mmask16 k = __mmask16((1u << n) - 1);
                // The first and last pixel's texel, in the same wrapping arithmetic as the lanes.
                int32_t first = int32_t(uint32_t(u0) + uint32_t(i) * uint32_t(du)) >> 16;
                int32_t last = int32_t(uint32_t(u0) + uint32_t(i + n - 1) * uint32_t(du)) >> 16;
                ShadeSixteenAvx512<Tex, Blend, Modulate, true>(tex, tw, dst + i, u, v, k, c,
                                                                 {row + first, first, last - first + 2});
                u = _mm512_add_epi32(u, du16);
            }
            return;
        }
    }
    for (int32_t i = 0; i < count; i += 16) {
        __mmask16 k = count - i >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (count - i)) - 1);
        ShadeSixteenAvx512<Tex, Blend, Modulate, false>(tex, tw, dst + i, u, v, k, c, {});
        u = _mm512_add_epi32(u, du16), v = _mm512_add_epi32(v, dv16);
    }
}

template <int Tex, int Blend>
[[gnu::target("avx512f,avx512bw,avx512vl")]] void ShadeSpanAvx512(const Shade& s, const SpanArgs& a) {
    uint32_t modColor = s.color;
    if (!s.colorMod) modColor |= 0x00FFFFFF;
    if (!s.alphaMod) modColor |= 0xFF000000;
    SpanConstantsAvx512 c;
    c.even = _mm512_set1_epi32(0x00FF00FF);
    c.odd = BroadcastAvx512(_mm_setr_epi8(1, -1, 3, -1, 5, -1, 7, -1, 9, -1, 11, -1, 13, -1, 15, -1));
    c.fraction = BroadcastAvx512(_mm_setr_epi8(-1, 1, -1, 1, -1, 5, -1, 5, -1, 9, -1, 9, -1, 13, -1, 13));
    c.alphaLane = _mm512_set1_epi32(int(0xFFFF0000u));
    c.alpha = BroadcastAvx512(_mm_setr_epi8(2, 3, 2, 3, 6, 7, 6, 7, 10, 11, 10, 11, 14, 15, 14, 15));
    c.pairLow = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    c.pairHigh = _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
    c.rowStep = _mm512_set1_epi32(int32_t(uint32_t(s.tw) << 16 | 1u));
    c.modEven = _mm512_set1_epi32(int32_t(modColor & 0x00FF00FF));
    c.modOdd = _mm512_set1_epi32(int32_t((modColor >> 8) & 0x00FF00FF));
    c.alphaOr = _mm512_set1_epi32(int32_t(s.alphaOr));
    const int* tex = reinterpret_cast<const int*>(s.tex);
    if (modColor != 0xFFFFFFFF)
        ShadeRunAvx512<Tex, Blend, true>(tex, s.tw, a.dst, a.count, a.u, a.v, a.du, a.dv, c);
    else
        ShadeRunAvx512<Tex, Blend, false>(tex, s.tw, a.dst, a.count, a.u, a.v, a.du, a.dv, c);
}
#endif

#if defined(__x86_64__) || defined(__i386__)
// The unclamped span of the widest path asked for, AVX2 or AVX-512.
template <int Tex, int Blend>
SpanFn WideSpan(PixelPath path) {
    return path == PixelPath::Avx512 ? ShadeSpanAvx512<Tex, Blend> : ShadeSpanAvx2<Tex, Blend>;
}
#endif

template <int Tex, int Addr, bool Gouraud>
SpanFn PickBlend(BlendKind k, PixelPath path) {
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (Tex != 0 && Addr == kFree && !Gouraud) {
        if (path >= PixelPath::Avx2) {
            switch (k) {
                case kReplace: return WideSpan<Tex, kReplace>(path);
                case kAlpha: return WideSpan<Tex, kAlpha>(path);
                case kAddAlpha: return WideSpan<Tex, kAddAlpha>(path);
                case kAdd: return WideSpan<Tex, kAdd>(path);
                default: break;
            }
        }
    }
#endif
#if defined(__SSE2__)
    if constexpr (Tex != 0 && Addr != kWrap && !Gouraud) {
        if (path != PixelPath::Scalar) {
            switch (k) {
                case kReplace: return ShadeSpanSse<Tex, Addr, kReplace>;
                case kAlpha: return ShadeSpanSse<Tex, Addr, kAlpha>;
                case kAddAlpha: return ShadeSpanSse<Tex, Addr, kAddAlpha>;
                case kAdd: return ShadeSpanSse<Tex, Addr, kAdd>;
                default: break;
            }
        }
    }
#endif
    switch (k) {
        case kReplace: return ShadeSpan<Tex, Addr, Gouraud, kReplace>;
        case kAlpha: return ShadeSpan<Tex, Addr, Gouraud, kAlpha>;
        case kAddAlpha: return ShadeSpan<Tex, Addr, Gouraud, kAddAlpha>;
        case kAdd: return ShadeSpan<Tex, Addr, Gouraud, kAdd>;
        default: return ShadeSpan<Tex, Addr, Gouraud, kGeneric>;
    }
}

template <int Tex, int Addr>
SpanFn PickGouraud(bool gouraud, BlendKind k, PixelPath path) {
    return gouraud ? PickBlend<Tex, Addr, true>(k, path) : PickBlend<Tex, Addr, false>(k, path);
}

template <int Tex>
SpanFn PickAddressing(Addressing addr, bool gouraud, BlendKind k, PixelPath path) {
    switch (addr) {
        case kFree: return PickGouraud<Tex, kFree>(gouraud, k, path);
        case kClamp: return PickGouraud<Tex, kClamp>(gouraud, k, path);
        default: return PickGouraud<Tex, kWrap>(gouraud, k, path);
    }
}

// tex: 0 none, 1 point, 2 linear.
SpanFn PickSpan(int tex, Addressing addr, bool gouraud, BlendKind k, PixelPath path) {
    if (tex == 0) return PickGouraud<0, kFree>(gouraud, k, path);
    if (tex == 1) return PickAddressing<1>(addr, gouraud, k, path);
    return PickAddressing<2>(addr, gouraud, k, path);
}

// Narrows [first, last] to the x with a * x + k >= 0. Exact: a floating-point division only
// estimates the crossing, integer tests settle it (usually at once). |a| times the magnitude of
// first and last must stay well inside 64 bits, which the callers' clip ranges ensure.
// inverse is 1 / a, worked out once per polygon; it only feeds the estimate.
[[gnu::always_inline]] inline void NarrowTo(int64_t a, double inverse, int64_t k, int64_t& first, int64_t& last) {
    if (first > last) return;
    if (a == 0) {
        if (k < 0) last = first - 1;
        return;
    }
    // Truncation is estimate enough (and inline, where ceil and floor are library calls).
    double root = -double(k) * inverse;
    if (a > 0) {
        int64_t x = root <= double(first) ? first : root > double(last) ? last + 1 : int64_t(root);
        while (x <= last && a * x + k < 0) ++x;
        while (x > first && a * (x - 1) + k >= 0) --x;
        first = x;
    } else {
        int64_t x = root >= double(last) ? last : root < double(first) ? first - 1 : int64_t(root);
        while (x >= first && a * x + k < 0) --x;
        while (x < last && a * (x + 1) + k >= 0) ++x;
        last = x;
    }
}

// Narrows [first, last] to the pixels i whose coordinate c + dc * i lies in [lo, hi].
void KeepInside(int64_t c, int64_t dc, double inverse, int64_t lo, int64_t hi, int64_t& first, int64_t& last) {
    NarrowTo(dc, inverse, c - lo, first, last);
    NarrowTo(-dc, -inverse, hi - c, first, last);
}

double Inverse(int64_t a) { return a ? 1.0 / double(a) : 0.0; }

// Whether every texture tap of the span lies in the polygon's guarded copy: the taps move in a
// straight line along the span, so its two ends settle it.
[[gnu::always_inline]] inline bool InsideGuard(const Polygon& p, const SpanArgs& a) {
    int64_t u0 = a.u, v0 = a.v, u1 = u0 + int64_t(a.du) * (a.count - 1), v1 = v0 + int64_t(a.dv) * (a.count - 1);
    return std::min(u0, u1) >= p.guardLowX && std::max(u0, u1) < p.guardHighX && std::min(v0, v1) >= p.guardLowY &&
           std::max(v0, v1) < p.guardHighY;
}

// Shades a span in up to three pieces: the middle run whose every texture tap lies inside the
// clamp box goes through the unclamped function, the ends (where a turned sprite's edge pixels
// reach past its source rectangle) through the clamping one.
void ShadeSplit(const Shade& s, int tex, SpanFn free, SpanFn bounded, const SpanArgs& a, double inverseDu,
                double inverseDv) {
    int64_t reach = tex == 2 ? 1 : 0;  // bilinear also reads the next texel
    int64_t first = 0, last = a.count - 1;
    KeepInside(a.u, a.du, inverseDu, int64_t(s.minX) << 16, ((int64_t(s.maxX) - reach + 1) << 16) - 1, first, last);
    KeepInside(a.v, a.dv, inverseDv, int64_t(s.minY) << 16, ((int64_t(s.maxY) - reach + 1) << 16) - 1, first, last);
    if (first > last) {
        bounded(s, a);
        return;
    }
    auto piece = [&](SpanFn fn, int64_t from, int64_t to) {
        if (from >= to) return;
        SpanArgs p = a;
        p.dst = a.dst + from;
        p.count = int32_t(to - from);
        p.u = int32_t(a.u + a.du * from), p.v = int32_t(a.v + a.dv * from);
        for (int c = 0; c < 4; ++c) p.c[c] = int32_t(a.c[c] + int64_t(a.dc[c]) * from);
        fn(s, p);
    };
    piece(bounded, 0, first);
    piece(free, first, last + 1);
    piece(bounded, last + 1, a.count);
}

Shade MakeShade(const Target& t, const State& st) {
    Shade s;
    const Texture& tx = st.texture;
    if (tx.pixels && tx.width > 0 && tx.height > 0) {
        s.tex = tx.pixels;
        s.tw = tx.width, s.th = tx.height;
        s.minX = std::clamp(tx.minX, 0, tx.width - 1), s.maxX = std::clamp(tx.maxX, s.minX, tx.width - 1);
        s.minY = std::clamp(tx.minY, 0, tx.height - 1), s.maxY = std::clamp(tx.maxY, s.minY, tx.height - 1);
        if (!tx.wrap && tx.guard > 0 && s.minX >= tx.guard && s.minY >= tx.guard && s.maxX + tx.guard < tx.width &&
            s.maxY + tx.guard < tx.height)
            s.guard = tx.guard;
    }
    s.colorMod = st.colorModulate;
    s.alphaMod = st.alphaModulate;
    s.src = st.srcBlend;
    s.dst = st.destBlend;
    s.alphaOr = t.hasAlpha ? 0 : 0xFF000000u;
    return s;
}

int64_t FloorDiv(int64_t n, int64_t d) {  // d > 0
    int64_t q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

constexpr double kMaxCoord = 1 << 20;  // pixels; keeps every edge product inside 64 bits

bool Usable(float x) { return std::isfinite(x) && std::fabs(x) < kMaxCoord; }

Plane MakePlane(const double* px, const double* py, const double* a) {
    double x1 = px[1] - px[0], y1 = py[1] - py[0], x2 = px[2] - px[0], y2 = py[2] - py[0];
    double det = x1 * y2 - x2 * y1;
    double a1 = a[1] - a[0], a2 = a[2] - a[0];
    Plane p;
    p.base = a[0];
    if (det != 0) {
        p.dx = (a1 * y2 - a2 * y1) / det;
        p.dy = (a2 * x1 - a1 * x2) / det;
    }
    return p;
}

// Nearest whole number, halves away from zero, inline (std::lround is a library call). The
// callers keep v far inside the 64-bit range.
inline int64_t Round(double v) { return int64_t(v + (v >= 0 ? 0.5 : -0.5)); }

inline int32_t ToFixed(double v) { return int32_t(Round(std::clamp(v, -32767.0, 32767.0) * 65536.0)); }

}  // namespace

PixelPath BestPixelPath() {
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl"))
        return PixelPath::Avx512;
    return __builtin_cpu_supports("avx2") ? PixelPath::Avx2 : PixelPath::Sse2;
#elif defined(__SSE2__)
    return PixelPath::Sse2;
#else
    return PixelPath::Scalar;
#endif
}

uint32_t AlphaBlend(uint32_t src, uint32_t dst) { return BlendPixel<kAlpha>(Shade{}, src, dst); }

// The edges of a polygon walked down its rows together (see Polygon::Edge): an edge's bound on
// row y is the floor quotient q of the numerator n0 + y step over d; from row to row q and its
// remainder move by the step's quotient and remainder, exact integer steps with no division.
// Every sloped edge steps on every row and bounds the span only on the rows it spans, with no
// branch: a remainder's carry follows the edge's slope, which no branch predictor guesses.
// Lefts and Rights, when not 0, are the polygon's counts of edges on each side, known at
// compile time so that the walk's state stays in registers. With Every set each edge bounds
// every row, which draws the same span on a strictly convex polygon: there a row's span lies
// between two edges reaching it, and any other edge's line meets the polygon only along that
// edge, so it holds every pixel of the row strictly inside; and its flat edges lie along its
// first or last row, which the set-up leaves out when they empty it.
template <int Lefts, int Rights, bool Every>
class EdgeWalk {
public:
    EdgeWalk(const Polygon& p, int64_t y) : p_(p) {
        for (int i = 0; i < Sloped(); ++i) {
            const Polygon::Edge& e = p.edges[i];
            int64_t n = e.n0 + y * e.step;
            // The quotient estimated in floating point, then settled by whole steps (one or two, a
            // few dozen at most for numerators near the coordinate limit).
            int64_t q = int64_t(double(n) * e.inverse), r = n - q * e.d;
            while (r < 0) --q, r += e.d;
            while (r >= e.d) ++q, r -= e.d;
            q_[i] = q, r_[i] = r;
        }
        // A flat edge lies along at most one row, which is all inside or all outside.
        for (int i = Sloped(); i < p.n; ++i)
            if (p.edges[i].flatEmpty && p.edges[i].rowFirst <= p.edges[i].rowLast)
                (empty_[0] == kNoRow ? empty_[0] : empty_[1]) = p.edges[i].rowFirst;
    }

    // Narrows [xmin, xmax] to the edges' inside on row y, then moves to the next row.
    [[gnu::always_inline]] void Row(int64_t y, int64_t& xmin, int64_t& xmax) {
        const Polygon::Edge* e = p_.edges;
        for (int i = 0; i < Sloped(); ++i) {
            bool on = Every || ((y >= e[i].rowFirst) & (y <= e[i].rowLast));
            if (i < LeftCount())
                xmin = on ? std::max(xmin, q_[i]) : xmin;
            else
                xmax = on ? std::min(xmax, q_[i]) : xmax;
            int64_t q = q_[i] + e[i].dq, r = r_[i] + e[i].dr;
            int64_t carry = r >= e[i].d;
            q_[i] = q + carry, r_[i] = r - (e[i].d & -carry);
        }
        if constexpr (!Every) xmax = ((y == empty_[0]) | (y == empty_[1])) ? xmin - 1 : xmax;
    }

private:
    static constexpr int64_t kNoRow = INT64_MIN;
    int LeftCount() const { return Lefts ? Lefts : p_.lefts; }
    int Sloped() const { return Lefts ? Lefts + Rights : p_.lefts + p_.rights; }

    const Polygon& p_;
    int64_t q_[4] = {}, r_[4] = {};
    int64_t empty_[2] = {kNoRow, kNoRow};
};

// The 16.16 texture coordinates of a row's first pixel, less the guarded copy's origin, for a
// polygon whose rows need no tests (Polygon::guarded): the arithmetic of the general row code,
// which for coordinates inside 16.16 needs no clamp, on both coordinates at once.
class GuardedStart {
public:
#if defined(__SSE2__)
    GuardedStart(const Polygon& p, double half) : p_(p), half_(_mm_set1_pd(half)) {}

    [[gnu::always_inline]] void At(int64_t x, int64_t y, SpanArgs& a) const {
        __m128d t = _mm_add_pd(base_, _mm_mul_pd(dx_, _mm_sub_pd(_mm_set1_pd(double(x) + 0.5), x0_)));
        t = _mm_sub_pd(_mm_add_pd(t, _mm_mul_pd(dy_, _mm_sub_pd(_mm_set1_pd(double(y) + 0.5), y0_))), half_);
        __m128d w = _mm_mul_pd(t, _mm_set1_pd(65536.0));
        // Halves away from zero, as Round: w plus a half of w's sign, truncated.
        __m128d h = _mm_or_pd(_mm_and_pd(w, _mm_set1_pd(-0.0)), _mm_set1_pd(0.5));
        __m128i fixed = _mm_sub_epi32(_mm_cvttpd_epi32(_mm_add_pd(w, h)), origin_);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&a.u), fixed);
    }

private:
    const Polygon& p_;
    const __m128d half_, base_ = _mm_setr_pd(p_.pu.base, p_.pv.base);
    const __m128d dx_ = _mm_setr_pd(p_.pu.dx, p_.pv.dx), dy_ = _mm_setr_pd(p_.pu.dy, p_.pv.dy);
    const __m128d x0_ = _mm_set1_pd(p_.x0), y0_ = _mm_set1_pd(p_.y0);
    const __m128i origin_ = _mm_setr_epi32(int32_t(uint32_t(p_.originX) << 16), int32_t(uint32_t(p_.originY) << 16), 0, 0);
#else
    GuardedStart(const Polygon& p, double half) : p_(p), half_(half) {}

    void At(int64_t x, int64_t y, SpanArgs& a) const {
        double sx = double(x) + 0.5, sy = double(y) + 0.5;
        double u = p_.pu.At(sx, sy, p_.x0, p_.y0) - half_, v = p_.pv.At(sx, sy, p_.x0, p_.y0) - half_;
        a.u = int32_t(uint32_t(ToFixed(u)) - (uint32_t(p_.originX) << 16));
        a.v = int32_t(uint32_t(ToFixed(v)) - (uint32_t(p_.originY) << 16));
    }

private:
    const Polygon& p_;
    double half_;
#endif
};

bool SetUpPolygon(const Target& t, const State& st, const Vertex* vin, int n, Polygon& p) {
    if (n < 3 || n > 4 || !t.pixels) return false;
    int clipL = std::max(0, t.clipLeft), clipT = std::max(0, t.clipTop);
    int clipR = std::min(t.width, t.clipRight), clipB = std::min(t.height, t.clipBottom);
    if (clipL >= clipR || clipT >= clipB) return false;
    for (int i = 0; i < n; ++i)
        if (!Usable(vin[i].x) || !Usable(vin[i].y) || !std::isfinite(vin[i].u) || !std::isfinite(vin[i].v)) return false;

    int64_t X[4], Y[4];
    for (int i = 0; i < n; ++i) X[i] = Round(double(vin[i].x) * 256.0), Y[i] = Round(double(vin[i].y) * 256.0);
    int64_t area2 = 0;
    for (int i = 0; i < n; ++i) {
        int j = (i + 1) % n;
        area2 += X[i] * Y[j] - X[j] * Y[i];
    }
    if (area2 == 0) return false;
    // Positive area is clockwise on the y-down screen.
    if ((st.cullMode == 2 && area2 > 0) || (st.cullMode == 3 && area2 < 0)) return false;
    int order[4] = {0, 1, 2, 3};
    if (area2 < 0) std::reverse(order, order + n);

    // Edge i runs from vertex order[i] to order[i+1]; inside is A x + B y + C > 0, and = 0 too on
    // a top or left edge. All in 1/256 pixel.
    int64_t minY = Y[0], maxY = Y[0], minX = X[0], maxX = X[0];
    bool convex = true;  // strictly: every corner turns the same way
    // The row loop takes the edges by side: from the left (Y falling along the edge), from the
    // right, then the flat ones.
    int slot[4], lefts = 0, rights = 0;
    for (int i = 0; i < n; ++i) {
        int64_t ea = Y[order[i]] - Y[order[(i + 1) % n]];
        lefts += ea > 0, rights += ea < 0;
    }
    for (int i = 0, left = 0, right = lefts, flat = lefts + rights; i < n; ++i) {
        int64_t ea = Y[order[i]] - Y[order[(i + 1) % n]];
        slot[i] = ea > 0 ? left++ : ea < 0 ? right++ : flat++;
    }
    p.n = n, p.lefts = lefts, p.rights = rights;
    for (int i = 0; i < n; ++i) {
        int a = order[i], b = order[(i + 1) % n], c = order[(i + 2) % n];
        convex &= (X[b] - X[a]) * (Y[c] - Y[b]) - (Y[b] - Y[a]) * (X[c] - X[b]) > 0;
        minX = std::min(minX, X[i]), maxX = std::max(maxX, X[i]);
        int64_t ea = Y[a] - Y[b], eb = X[b] - X[a], ec = -(ea * X[a] + eb * Y[a]);
        bool topLeft = ea > 0 || (ea == 0 && eb > 0);
        int64_t bias = topLeft ? 0 : 1;
        int64_t yLo = std::min(Y[a], Y[b]), yHi = std::max(Y[a], Y[b]);
        minY = std::min(minY, Y[i]), maxY = std::max(maxY, Y[i]);
        // Pixel x of row y is inside when A x + K(y) >= 0, A = 256 a and K(y) = b (256 y + 128) +
        // c + 128 a - bias: from the left (A > 0) x >= ceil(-K / A) = floor((-K + A - 1) / A),
        // from the right (A < 0) x <= floor(K / -A).
        Polygon::Edge& e = p.edges[slot[i]];
        e = Polygon::Edge{};
        e.rowFirst = int32_t(std::clamp<int64_t>(-FloorDiv(-(yLo - 128), 256), INT32_MIN, INT32_MAX));
        e.rowLast = int32_t(std::clamp<int64_t>(FloorDiv(yHi - 128, 256), INT32_MIN, INT32_MAX));
        int64_t k0 = eb * 128 + ec + ea * 128 - bias;
        if (ea == 0) {
            // Along a row: the one row through it exactly (if any) is all inside or all outside.
            e.side = 0;
            e.flatEmpty = eb * yLo + ec - bias < 0;
            continue;
        }
        e.d = std::abs(ea) * 256;
        e.side = ea > 0 ? 1 : -1;
        e.n0 = ea > 0 ? -k0 + e.d - 1 : k0;
        e.step = ea > 0 ? -256 * eb : 256 * eb;
        e.dq = FloorDiv(e.step, e.d), e.dr = e.step - e.dq * e.d;
        e.inverse = 1.0 / double(e.d);
    }
    // Exactly the rows whose centre lies within the polygon's height. On such a row a convex
    // polygon's span is bounded by the edges that reach the row; every other edge holds the whole
    // span strictly inside, so the row loop tests only the edges whose height includes the row.
    int64_t rowFirst = std::max<int64_t>(clipT, -FloorDiv(-(minY - 128), 256));
    int64_t rowLast = std::min<int64_t>(clipB - 1, FloorDiv(maxY - 128, 256));
    // A flat edge that leaves its row outside empties it; at the top or the bottom (where a
    // convex polygon has its flat edges) the row is left out at once.
    for (int i = lefts + rights; i < n; ++i) {
        const Polygon::Edge& e = p.edges[i];
        if (!e.flatEmpty || e.rowFirst > e.rowLast) continue;
        if (e.rowFirst == rowFirst) ++rowFirst;
        else if (e.rowFirst == rowLast) --rowLast;
    }
    if (rowFirst > rowLast) return false;
    p.rowFirst = int32_t(rowFirst), p.rowLast = int32_t(rowLast);
    p.clipL = clipL, p.clipR = clipR;
    p.pixels = t.pixels, p.stride = t.width;

    // Attribute planes from the three vertices spanning the largest area.
    double px[4], py[4];
    for (int i = 0; i < n; ++i) px[i] = double(X[i]) / 256.0, py[i] = double(Y[i]) / 256.0;
    int tri[3] = {0, 1, 2};
    if (n == 4) {
        auto det = [&](int a, int b, int c) {
            return std::fabs((px[b] - px[a]) * (py[c] - py[a]) - (px[c] - px[a]) * (py[b] - py[a]));
        };
        if (det(0, 2, 3) > det(0, 1, 2)) tri[1] = 2, tri[2] = 3;
    }
    double tx[3], ty[3];
    for (int i = 0; i < 3; ++i) tx[i] = px[tri[i]], ty[i] = py[tri[i]];
    p.x0 = tx[0], p.y0 = ty[0];
    auto plane = [&](auto get) {
        double a[3] = {get(vin[tri[0]]), get(vin[tri[1]]), get(vin[tri[2]])};
        return MakePlane(tx, ty, a);
    };

    Shade& s = p.shade;
    s = MakeShade(t, st);
    p.gouraud = false;
    for (int i = 1; i < n; ++i) p.gouraud |= vin[i].color != vin[0].color;
    s.color = vin[0].color;
    if (p.gouraud)
        for (int c = 0; c < 4; ++c) {
            int shift = 24 - 8 * c;
            p.pc[c] = plane([shift](const Vertex& v) { return double(Ch(v.color, shift)); });
        }

    p.tex = 0;
    if (s.tex) {
        p.pu = plane([](const Vertex& v) { return double(v.u); });
        p.pv = plane([](const Vertex& v) { return double(v.v); });
        double texelsPerPixel = std::fabs(p.pu.dx * p.pv.dy - p.pu.dy * p.pv.dx);
        p.tex = (texelsPerPixel <= 1.0 ? st.magLinear : st.minLinear) ? 2 : 1;
    }
    p.wrap = st.texture.wrap && s.tex;
    p.bounded = PickSpan(p.tex, p.wrap ? kWrap : kClamp, p.gouraud, KindOf(st), st.path);
    p.free = PickSpan(p.tex, kFree, p.gouraud, KindOf(st), st.path);
    p.du = p.tex ? ToFixed(p.pu.dx) : 0, p.dv = p.tex ? ToFixed(p.pv.dx) : 0;
    p.inverseDu = Inverse(p.du), p.inverseDv = Inverse(p.dv);
    p.originX = st.texture.originX, p.originY = st.texture.originY;
    if (s.guard) {
        int64_t reach = p.tex == 2 ? 1 : 0;  // bilinear also reads the next texel
        p.guardLowX = int64_t(s.minX - s.guard) << 16, p.guardHighX = (int64_t(s.maxX + s.guard) - reach + 1) << 16;
        p.guardLowY = int64_t(s.minY - s.guard) << 16, p.guardHighY = (int64_t(s.maxY + s.guard) - reach + 1) << 16;
    }
    p.guarded = false;
    if (p.tex && !p.wrap && s.guard && !p.gouraud && convex) {
        // A row's span lies between two edges, so between the corners: its first and last taps
        // lie within the corners' range of coordinates, give or take the rounding to 16.16 (half
        // a unit, and half a unit more for each step of the rounded du and dv along the widest
        // row) and a little more for the floating-point arithmetic.
        double half = p.tex == 2 ? 0.5 : 0.0;
        double margin = (double(maxX - minX) / 256.0 * 0.5 + 8.0) / 65536.0;
        auto fits = [&](const Plane& plane, int32_t origin, int64_t low, int64_t high) {
            double lo = plane.At(px[0], py[0], p.x0, p.y0), hi = lo;
            for (int i = 1; i < n; ++i) {
                double c = plane.At(px[i], py[i], p.x0, p.y0);
                lo = std::min(lo, c), hi = std::max(hi, c);
            }
            lo -= half + margin, hi += margin - half;
            // The row code also skips rows reaching a pixel past them beyond 16.16's range.
            double far = std::max(std::fabs(lo), std::fabs(hi)) + std::fabs(plane.dx) + 1;
            return far < 32000 && (lo - origin) * 65536.0 >= double(low) && (hi - origin) * 65536.0 < double(high);
        };
        p.guarded = fits(p.pu, p.originX, p.guardLowX, p.guardHighX) && fits(p.pv, p.originY, p.guardLowY, p.guardHighY);
    }
    return true;
}

namespace {

// Each row first to last of a polygon that holds a span, its destination and count in args,
// handed to shade(args, x, y) with the span's first pixel x.
template <class Walk, class ShadeRow>
[[gnu::always_inline]] inline void EachSpan(const Polygon& p, Walk walk, int64_t first, int64_t last, SpanArgs& args,
                                            ShadeRow shade) {
    for (int64_t y = first; y <= last; ++y) {
        int64_t xmin = p.clipL, xmax = p.clipR - 1;
        walk.Row(y, xmin, xmax);
        if (xmin > xmax) continue;
        args.dst = p.pixels + size_t(y) * size_t(p.stride) + size_t(xmin);
        args.count = int32_t(xmax - xmin + 1);
        shade(args, xmin, y);
    }
}

// The rows first to last of a polygon, walked with Lefts and Rights edges on each side (0: as
// many as the polygon has).
template <int Lefts, int Rights>
void WalkRows(const Polygon& p, int64_t first, int64_t last) {
    const Shade& s = p.shade;
    double half = p.tex == 2 ? 0.5 : 0.0;  // bilinear taps sit half a texel before the sample point
    SpanArgs args{};
    args.du = p.du, args.dv = p.dv;
    if (p.guarded) {
        GuardedStart start(p, half);
        EachSpan(p, EdgeWalk<Lefts, Rights, true>(p, first), first, last, args, [&](SpanArgs& a, int64_t x, int64_t y) {
            start.At(x, y, a);
            p.free(s, a);
        });
        return;
    }
    EachSpan(p, EdgeWalk<Lefts, Rights, false>(p, first), first, last, args, [&](SpanArgs& a, int64_t x, int64_t y) {
        double sx = double(x) + 0.5, sy = double(y) + 0.5;
        if (p.tex) {
            double u = p.pu.At(sx, sy, p.x0, p.y0) - half, v = p.pv.At(sx, sy, p.x0, p.y0) - half;
            if (p.wrap) u -= std::floor(u / s.tw) * s.tw, v -= std::floor(v / s.th) * s.th;
            double uEnd = u + p.pu.dx * a.count, vEnd = v + p.pv.dx * a.count;
            if (std::fabs(uEnd) > 32000 || std::fabs(vEnd) > 32000 || std::fabs(u) > 32000 || std::fabs(v) > 32000)
                return;  // beyond 16.16 range: only a wildly stretched wrap gets here
            // Whole texels off the fixed-point coordinates move them into a guarded copy exactly.
            a.u = int32_t(uint32_t(ToFixed(u)) - (uint32_t(p.originX) << 16));
            a.v = int32_t(uint32_t(ToFixed(v)) - (uint32_t(p.originY) << 16));
        }
        if (p.gouraud)
            for (int c = 0; c < 4; ++c) {
                a.c[c] = int32_t(Round(std::clamp(p.pc[c].At(sx, sy, p.x0, p.y0), -1.0, 256.0) * 65536.0));
                a.dc[c] = int32_t(Round(std::clamp(p.pc[c].dx, -32767.0, 32767.0) * 65536.0));
            }
        if (p.tex && !p.wrap && s.guard && InsideGuard(p, a))
            p.free(s, a);
        else if (p.tex && !p.wrap)
            ShadeSplit(s, p.tex, p.free, p.bounded, a, p.inverseDu, p.inverseDv);
        else
            (p.tex ? p.bounded : p.free)(s, a);
    });
}

}  // namespace

void DrawPolygonRows(const Polygon& p, int32_t top, int32_t bottom) {
    int64_t first = std::max(p.rowFirst, top), last = std::min(p.rowLast, bottom - 1);
    if (first > last) return;
    // A turned rectangle has two edges on each side, an upright one one.
    if (p.lefts == 2 && p.rights == 2) return WalkRows<2, 2>(p, first, last);
    if (p.lefts == 1 && p.rights == 1) return WalkRows<1, 1>(p, first, last);
    if (p.lefts == 1 && p.rights == 2) return WalkRows<1, 2>(p, first, last);
    if (p.lefts == 2 && p.rights == 1) return WalkRows<2, 1>(p, first, last);
    WalkRows<0, 0>(p, first, last);
}

void DrawPolygon(const Target& t, const State& st, const Vertex* vin, int n) {
    Polygon p;
    if (SetUpPolygon(t, st, vin, n, p)) DrawPolygonRows(p, p.rowFirst, p.rowLast + 1);
}

void DrawLine(const Target& t, const State& st, const Vertex& a, const Vertex& b) {
    if (!t.pixels || !Usable(a.x) || !Usable(a.y) || !Usable(b.x) || !Usable(b.y)) return;
    int clipL = std::max(0, t.clipLeft), clipT = std::max(0, t.clipTop);
    int clipR = std::min(t.width, t.clipRight), clipB = std::min(t.height, t.clipBottom);
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    if (dx == 0 && dy == 0) return;
    Shade s = MakeShade(t, st);
    int tex = s.tex ? (st.magLinear ? 2 : 1) : 0;
    bool wrap = st.texture.wrap && s.tex;
    SpanFn fn = PickSpan(tex, wrap ? kWrap : kClamp, true, KindOf(st), st.path);
    double half = tex == 2 ? 0.5 : 0.0;
    bool xMajor = std::fabs(dx) >= std::fabs(dy);
    double from = xMajor ? a.x : a.y, to = xMajor ? b.x : b.y, len = to - from;
    // Pixel centres from the start up to, not including, the end.
    int64_t first, last, step;
    if (len > 0)
        first = int64_t(std::ceil(from - 0.5)), last = int64_t(std::ceil(to - 0.5)) - 1, step = 1;
    else
        first = int64_t(std::floor(from - 0.5)), last = int64_t(std::floor(to - 0.5)) + 1, step = -1;
    // Only the part along the major axis inside the clip box is walked.
    int64_t lo = xMajor ? clipL : clipT, hi = (xMajor ? clipR : clipB) - 1;
    if (step > 0)
        first = std::max(first, lo), last = std::min(last, hi);
    else
        first = std::min(first, hi), last = std::max(last, lo);
    for (int64_t i = first; step > 0 ? i <= last : i >= last; i += step) {
        double f = (double(i) + 0.5 - from) / len;
        double minor = xMajor ? a.y + f * dy : a.x + f * dx;
        int64_t px = xMajor ? i : int64_t(std::floor(minor));
        int64_t py = xMajor ? int64_t(std::floor(minor)) : i;
        if (px < clipL || px >= clipR || py < clipT || py >= clipB) continue;
        SpanArgs args{};
        args.dst = t.pixels + size_t(py) * size_t(t.width) + size_t(px);
        args.count = 1;
        if (tex) {
            double u = a.u + f * (double(b.u) - a.u) - half, v = a.v + f * (double(b.v) - a.v) - half;
            if (wrap) u -= std::floor(u / s.tw) * s.tw, v -= std::floor(v / s.th) * s.th;
            args.u = ToFixed(u), args.v = ToFixed(v);
        }
        for (int c = 0; c < 4; ++c) {
            int shift = 24 - 8 * c;
            double ca = Ch(a.color, shift), cb = Ch(b.color, shift);
            args.c[c] = int32_t(Round((ca + f * (cb - ca)) * 65536.0));
        }
        fn(s, args);
    }
}

void DrawTexelBlock(const Target& t, const State& st, int32_t x, int32_t y, int32_t w, int32_t h, int32_t tx,
                    int32_t ty, uint32_t color) {
    if (!t.pixels || w <= 0 || h <= 0) return;
    // Clip to the target's clip box, moving the texel origin along.
    int32_t l = std::max({x, t.clipLeft, 0}), top = std::max({y, t.clipTop, 0});
    int32_t r = std::min({x + w, t.clipRight, t.width}), b = std::min({y + h, t.clipBottom, t.height});
    if (l >= r || top >= b) return;
    tx += l - x, ty += top - y;
    Shade s = MakeShade(t, st);
    s.color = color;
    SpanFn fn = PickSpan(s.tex ? 1 : 0, kFree, false, KindOf(st), st.path);
    for (int32_t row = top; row < b; ++row) {
        SpanArgs args{};
        args.dst = t.pixels + size_t(row) * size_t(t.width) + size_t(l);
        args.count = r - l;
        args.u = tx << 16;
        args.v = (ty + row - top) << 16;
        args.du = 1 << 16;
        fn(s, args);
    }
}

}  // namespace plm::platform::raster
