#pragma once
// The engine's small vector layer: eight unsigned 16-bit lanes (U16x8), with
// only what the per-pixel passes need. One back-end is chosen at build time:
// SSE2 on x86-64, NEON on arm64, SIMD128 in the browser (emscripten
// -msimd128), otherwise plain loops (simd_lanes.h). VANTRELLE_SCALAR_ONLY (the build option
// VANTRELLE_SIMD=OFF) forces the plain loops everywhere. Every operation
// gives the same bits on every back-end; add, sub and mul wrap modulo 2^16.
// Four unsigned 32-bit lanes (U32x4) carry positions that outgrow 16 bits,
// such as texel coordinates in 16.16; their add wraps modulo 2^32.
// NarrowSigned packs two of them into eight 16-bit lanes, reading each lane
// as a signed 32-bit number clamped to -32768..32767.
#include <cstdint>

#if !defined(VANTRELLE_SCALAR_ONLY) && defined(__SSE2__)
#define VANTRELLE_SIMD_SSE2 1
#include <emmintrin.h>
#elif !defined(VANTRELLE_SCALAR_ONLY) && defined(__aarch64__) && defined(__ARM_NEON)
#define VANTRELLE_SIMD_NEON 1
#include <arm_neon.h>
#elif !defined(VANTRELLE_SCALAR_ONLY) && defined(__wasm_simd128__)
#define VANTRELLE_SIMD_WASM 1
#include <wasm_simd128.h>
#else
#define VANTRELLE_SIMD_LANES 1
#include "core/simd_lanes.h"
#endif

namespace vantrelle::simd {

inline constexpr int kLanes = 8;

#if VANTRELLE_SIMD_SSE2
inline constexpr const char* kBackEnd = "SSE2";
struct U16x8 {
  __m128i v;
};
struct U32x4 {
  __m128i v;
};
#elif VANTRELLE_SIMD_NEON
inline constexpr const char* kBackEnd = "NEON";
struct U16x8 {
  uint16x8_t v;
};
struct U32x4 {
  uint32x4_t v;
};
#elif VANTRELLE_SIMD_WASM
inline constexpr const char* kBackEnd = "SIMD128";
struct U16x8 {
  v128_t v;
};
struct U32x4 {
  v128_t v;
};
#else
inline constexpr const char* kBackEnd = "scalar";
using U16x8 = LaneArray;
using U32x4 = LaneArray32;
#endif

#if VANTRELLE_SIMD_SSE2

inline U16x8 Load(const std::uint16_t* p) { return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))}; }
inline U32x4 Load32(const std::uint32_t* p) { return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))}; }
// Eight bytes, each widened to a lane.
inline U16x8 LoadBytes(const std::uint8_t* p) {
  return {_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128())};
}
inline void Store(std::uint16_t* p, U16x8 a) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a.v); }
inline U16x8 Splat(std::uint16_t x) { return {_mm_set1_epi16(static_cast<std::int16_t>(x))}; }
inline U16x8 Add(U16x8 a, U16x8 b) { return {_mm_add_epi16(a.v, b.v)}; }
inline U16x8 Sub(U16x8 a, U16x8 b) { return {_mm_sub_epi16(a.v, b.v)}; }
inline U16x8 MulLo(U16x8 a, U16x8 b) { return {_mm_mullo_epi16(a.v, b.v)}; }
inline U16x8 MulHi(U16x8 a, U16x8 b) { return {_mm_mulhi_epu16(a.v, b.v)}; }
inline U16x8 AddSat(U16x8 a, U16x8 b) { return {_mm_adds_epu16(a.v, b.v)}; }
inline U16x8 SubSat(U16x8 a, U16x8 b) { return {_mm_subs_epu16(a.v, b.v)}; }
inline U16x8 And(U16x8 a, U16x8 b) { return {_mm_and_si128(a.v, b.v)}; }
inline U16x8 Or(U16x8 a, U16x8 b) { return {_mm_or_si128(a.v, b.v)}; }
// SSE2 has no unsigned 16-bit min or max; the saturating difference gives both.
inline U16x8 Min(U16x8 a, U16x8 b) { return {_mm_sub_epi16(a.v, _mm_subs_epu16(a.v, b.v))}; }
inline U16x8 Max(U16x8 a, U16x8 b) { return {_mm_add_epi16(b.v, _mm_subs_epu16(a.v, b.v))}; }
// Lanes 0, 2, 4, 6 of a, then those of b. Each even lane is sign-extended
// into its pair, which the signed narrowing then gives back unchanged.
inline U16x8 EvenLanes(U16x8 a, U16x8 b) {
  return {_mm_packs_epi32(_mm_srai_epi32(_mm_slli_epi32(a.v, 16), 16), _mm_srai_epi32(_mm_slli_epi32(b.v, 16), 16))};
}
// a0 b0 a1 b1 a2 b2 a3 b3, and the same of lanes 4-7.
inline U16x8 InterleaveLow(U16x8 a, U16x8 b) { return {_mm_unpacklo_epi16(a.v, b.v)}; }
inline U16x8 InterleaveHigh(U16x8 a, U16x8 b) { return {_mm_unpackhi_epi16(a.v, b.v)}; }
// True when some lane is not 0.
inline bool AnyNonZero(U16x8 a) { return _mm_movemask_epi8(_mm_cmpeq_epi16(a.v, _mm_setzero_si128())) != 0xFFFF; }
template <int N>
inline U16x8 ShiftRight(U16x8 a) {
  return {_mm_srli_epi16(a.v, N)};
}
template <int N>
inline U16x8 ShiftLeft(U16x8 a) {
  return {_mm_slli_epi16(a.v, N)};
}

// 32-bit lanes. Ramp32 gives start + k * step in lane k; Lane16<K> the low
// 16 bits of lane K.
inline U32x4 Splat32(std::uint32_t x) { return {_mm_set1_epi32(static_cast<std::int32_t>(x))}; }
// The step and twice it, each kept in the lanes that need it: no lane
// leaves the vector registers.
inline U32x4 Ramp32(std::uint32_t start, std::uint32_t step) {
  const __m128i once = _mm_set1_epi32(static_cast<std::int32_t>(step));
  const __m128i twice = _mm_add_epi32(once, once);
  const __m128i k = _mm_add_epi32(_mm_and_si128(once, _mm_setr_epi32(0, -1, 0, -1)),
                                  _mm_and_si128(twice, _mm_setr_epi32(0, 0, -1, -1)));
  return {_mm_add_epi32(_mm_set1_epi32(static_cast<std::int32_t>(start)), k)};
}
inline U32x4 Add(U32x4 a, U32x4 b) { return {_mm_add_epi32(a.v, b.v)}; }
inline U32x4 And(U32x4 a, U32x4 b) { return {_mm_and_si128(a.v, b.v)}; }
inline U32x4 Or(U32x4 a, U32x4 b) { return {_mm_or_si128(a.v, b.v)}; }
template <int N>
inline U32x4 ShiftRight(U32x4 a) {
  return {_mm_srli_epi32(a.v, N)};
}
template <int K>
inline std::uint16_t Lane16(U32x4 a) {
  return static_cast<std::uint16_t>(_mm_extract_epi16(a.v, 2 * K));
}
inline U16x8 NarrowSigned(U32x4 a, U32x4 b) { return {_mm_packs_epi32(a.v, b.v)}; }

#elif VANTRELLE_SIMD_NEON

inline U16x8 Load(const std::uint16_t* p) { return {vld1q_u16(p)}; }
inline U32x4 Load32(const std::uint32_t* p) { return {vld1q_u32(p)}; }
inline U16x8 LoadBytes(const std::uint8_t* p) { return {vmovl_u8(vld1_u8(p))}; }
inline void Store(std::uint16_t* p, U16x8 a) { vst1q_u16(p, a.v); }
inline U16x8 Splat(std::uint16_t x) { return {vdupq_n_u16(x)}; }
inline U16x8 Add(U16x8 a, U16x8 b) { return {vaddq_u16(a.v, b.v)}; }
inline U16x8 Sub(U16x8 a, U16x8 b) { return {vsubq_u16(a.v, b.v)}; }
inline U16x8 MulLo(U16x8 a, U16x8 b) { return {vmulq_u16(a.v, b.v)}; }
// Full 32-bit products, then their high halves (the odd 16-bit lanes).
inline U16x8 MulHi(U16x8 a, U16x8 b) {
  const uint32x4_t lo = vmull_u16(vget_low_u16(a.v), vget_low_u16(b.v));
  const uint32x4_t hi = vmull_high_u16(a.v, b.v);
  return {vuzp2q_u16(vreinterpretq_u16_u32(lo), vreinterpretq_u16_u32(hi))};
}
inline U16x8 AddSat(U16x8 a, U16x8 b) { return {vqaddq_u16(a.v, b.v)}; }
inline U16x8 SubSat(U16x8 a, U16x8 b) { return {vqsubq_u16(a.v, b.v)}; }
inline U16x8 And(U16x8 a, U16x8 b) { return {vandq_u16(a.v, b.v)}; }
inline U16x8 Or(U16x8 a, U16x8 b) { return {vorrq_u16(a.v, b.v)}; }
inline U16x8 Min(U16x8 a, U16x8 b) { return {vminq_u16(a.v, b.v)}; }
inline U16x8 Max(U16x8 a, U16x8 b) { return {vmaxq_u16(a.v, b.v)}; }
inline U16x8 EvenLanes(U16x8 a, U16x8 b) { return {vuzp1q_u16(a.v, b.v)}; }
inline U16x8 InterleaveLow(U16x8 a, U16x8 b) { return {vzip1q_u16(a.v, b.v)}; }
inline U16x8 InterleaveHigh(U16x8 a, U16x8 b) { return {vzip2q_u16(a.v, b.v)}; }
inline bool AnyNonZero(U16x8 a) { return vmaxvq_u16(a.v) != 0; }
// The immediate shifts take 1..15 bits, all the passes need.
template <int N>
inline U16x8 ShiftRight(U16x8 a) {
  static_assert(N >= 1 && N <= 15);
  return {vshrq_n_u16(a.v, N)};
}
template <int N>
inline U16x8 ShiftLeft(U16x8 a) {
  static_assert(N >= 1 && N <= 15);
  return {vshlq_n_u16(a.v, N)};
}

inline U32x4 Splat32(std::uint32_t x) { return {vdupq_n_u32(x)}; }
inline U32x4 Ramp32(std::uint32_t start, std::uint32_t step) {
  static constexpr std::uint32_t kLaneNumbers[4] = {0, 1, 2, 3};
  return {vmlaq_n_u32(vdupq_n_u32(start), vld1q_u32(kLaneNumbers), step)};
}
inline U32x4 Add(U32x4 a, U32x4 b) { return {vaddq_u32(a.v, b.v)}; }
inline U32x4 And(U32x4 a, U32x4 b) { return {vandq_u32(a.v, b.v)}; }
inline U32x4 Or(U32x4 a, U32x4 b) { return {vorrq_u32(a.v, b.v)}; }
template <int N>
inline U32x4 ShiftRight(U32x4 a) {
  static_assert(N >= 1 && N <= 31);
  return {vshrq_n_u32(a.v, N)};
}
template <int K>
inline std::uint16_t Lane16(U32x4 a) {
  return vgetq_lane_u16(vreinterpretq_u16_u32(a.v), 2 * K);
}
inline U16x8 NarrowSigned(U32x4 a, U32x4 b) {
  const int16x8_t narrowed = vqmovn_high_s32(vqmovn_s32(vreinterpretq_s32_u32(a.v)), vreinterpretq_s32_u32(b.v));
  return {vreinterpretq_u16_s16(narrowed)};
}

#elif VANTRELLE_SIMD_WASM

inline U16x8 Load(const std::uint16_t* p) { return {wasm_v128_load(p)}; }
inline U32x4 Load32(const std::uint32_t* p) { return {wasm_v128_load(p)}; }
inline U16x8 LoadBytes(const std::uint8_t* p) { return {wasm_u16x8_load8x8(p)}; }
inline void Store(std::uint16_t* p, U16x8 a) { wasm_v128_store(p, a.v); }
inline U16x8 Splat(std::uint16_t x) { return {wasm_u16x8_splat(x)}; }
inline U16x8 Add(U16x8 a, U16x8 b) { return {wasm_i16x8_add(a.v, b.v)}; }
inline U16x8 Sub(U16x8 a, U16x8 b) { return {wasm_i16x8_sub(a.v, b.v)}; }
inline U16x8 MulLo(U16x8 a, U16x8 b) { return {wasm_i16x8_mul(a.v, b.v)}; }
// Full 32-bit products, then their high halves.
inline U16x8 MulHi(U16x8 a, U16x8 b) {
  const v128_t lo = wasm_u32x4_extmul_low_u16x8(a.v, b.v);
  const v128_t hi = wasm_u32x4_extmul_high_u16x8(a.v, b.v);
  return {wasm_i16x8_shuffle(lo, hi, 1, 3, 5, 7, 9, 11, 13, 15)};
}
inline U16x8 AddSat(U16x8 a, U16x8 b) { return {wasm_u16x8_add_sat(a.v, b.v)}; }
inline U16x8 SubSat(U16x8 a, U16x8 b) { return {wasm_u16x8_sub_sat(a.v, b.v)}; }
inline U16x8 And(U16x8 a, U16x8 b) { return {wasm_v128_and(a.v, b.v)}; }
inline U16x8 Or(U16x8 a, U16x8 b) { return {wasm_v128_or(a.v, b.v)}; }
inline U16x8 Min(U16x8 a, U16x8 b) { return {wasm_u16x8_min(a.v, b.v)}; }
inline U16x8 Max(U16x8 a, U16x8 b) { return {wasm_u16x8_max(a.v, b.v)}; }
inline U16x8 EvenLanes(U16x8 a, U16x8 b) { return {wasm_i16x8_shuffle(a.v, b.v, 0, 2, 4, 6, 8, 10, 12, 14)}; }
inline U16x8 InterleaveLow(U16x8 a, U16x8 b) { return {wasm_i16x8_shuffle(a.v, b.v, 0, 8, 1, 9, 2, 10, 3, 11)}; }
inline U16x8 InterleaveHigh(U16x8 a, U16x8 b) { return {wasm_i16x8_shuffle(a.v, b.v, 4, 12, 5, 13, 6, 14, 7, 15)}; }
inline bool AnyNonZero(U16x8 a) { return wasm_v128_any_true(a.v); }
template <int N>
inline U16x8 ShiftRight(U16x8 a) {
  return {wasm_u16x8_shr(a.v, N)};
}
template <int N>
inline U16x8 ShiftLeft(U16x8 a) {
  return {wasm_i16x8_shl(a.v, N)};
}

inline U32x4 Splat32(std::uint32_t x) { return {wasm_u32x4_splat(x)}; }
inline U32x4 Ramp32(std::uint32_t start, std::uint32_t step) {
  return {wasm_u32x4_make(start, start + step, start + 2 * step, start + 3 * step)};
}
inline U32x4 Add(U32x4 a, U32x4 b) { return {wasm_i32x4_add(a.v, b.v)}; }
inline U32x4 And(U32x4 a, U32x4 b) { return {wasm_v128_and(a.v, b.v)}; }
inline U32x4 Or(U32x4 a, U32x4 b) { return {wasm_v128_or(a.v, b.v)}; }
template <int N>
inline U32x4 ShiftRight(U32x4 a) {
  return {wasm_u32x4_shr(a.v, N)};
}
template <int K>
inline std::uint16_t Lane16(U32x4 a) {
  return wasm_u16x8_extract_lane(a.v, 2 * K);
}
inline U16x8 NarrowSigned(U32x4 a, U32x4 b) { return {wasm_i16x8_narrow_i32x4(a.v, b.v)}; }

#else

inline U16x8 Load(const std::uint16_t* p) {
  U16x8 out{};
  for (int i = 0; i < kLanes; ++i) out.lane[i] = p[i];
  return out;
}
inline U16x8 LoadBytes(const std::uint8_t* p) {
  U16x8 out{};
  for (int i = 0; i < kLanes; ++i) out.lane[i] = p[i];
  return out;
}
inline U32x4 Load32(const std::uint32_t* p) {
  U32x4 out{};
  for (int i = 0; i < 4; ++i) out.lane[i] = p[i];
  return out;
}
inline void Store(std::uint16_t* p, U16x8 a) {
  for (int i = 0; i < kLanes; ++i) p[i] = a.lane[i];
}
inline U16x8 Splat(std::uint16_t x) {
  U16x8 out{};
  out.lane.fill(x);
  return out;
}
inline U16x8 Add(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x + y; });
}
inline U16x8 Sub(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x - y; });
}
inline U16x8 MulLo(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x * y; });
}
inline U16x8 MulHi(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return (x * y) >> 16; });
}
inline U16x8 AddSat(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x + y > 0xFFFFu ? 0xFFFFu : x + y; });
}
inline U16x8 SubSat(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x > y ? x - y : 0u; });
}
inline U16x8 And(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x & y; });
}
inline U16x8 Or(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x | y; });
}
inline U16x8 Min(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x < y ? x : y; });
}
inline U16x8 Max(U16x8 a, U16x8 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x > y ? x : y; });
}
inline U16x8 EvenLanes(U16x8 a, U16x8 b) {
  U16x8 out{};
  for (int i = 0; i < kLanes / 2; ++i) out.lane[i] = a.lane[2 * i], out.lane[i + kLanes / 2] = b.lane[2 * i];
  return out;
}
inline U16x8 InterleaveLow(U16x8 a, U16x8 b) {
  U16x8 out{};
  for (int i = 0; i < kLanes / 2; ++i) out.lane[2 * i] = a.lane[i], out.lane[2 * i + 1] = b.lane[i];
  return out;
}
inline U16x8 InterleaveHigh(U16x8 a, U16x8 b) {
  U16x8 out{};
  for (int i = 0; i < kLanes / 2; ++i) out.lane[2 * i] = a.lane[i + 4], out.lane[2 * i + 1] = b.lane[i + 4];
  return out;
}
inline bool AnyNonZero(U16x8 a) {
  for (const std::uint16_t x : a.lane) {
    if (x != 0) return true;
  }
  return false;
}
template <int N>
inline U16x8 ShiftRight(U16x8 a) {
  return EachLane(a, a, [](std::uint32_t x, std::uint32_t) { return x >> N; });
}
template <int N>
inline U16x8 ShiftLeft(U16x8 a) {
  return EachLane(a, a, [](std::uint32_t x, std::uint32_t) { return x << N; });
}

inline U32x4 Splat32(std::uint32_t x) {
  U32x4 out{};
  out.lane.fill(x);
  return out;
}
inline U32x4 Ramp32(std::uint32_t start, std::uint32_t step) {
  U32x4 out{};
  for (std::uint32_t k = 0; k < 4; ++k) out.lane[k] = start + k * step;
  return out;
}
inline U32x4 Add(U32x4 a, U32x4 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x + y; });
}
inline U32x4 And(U32x4 a, U32x4 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x & y; });
}
inline U32x4 Or(U32x4 a, U32x4 b) {
  return EachLane(a, b, [](std::uint32_t x, std::uint32_t y) { return x | y; });
}
template <int N>
inline U32x4 ShiftRight(U32x4 a) {
  return EachLane(a, a, [](std::uint32_t x, std::uint32_t) { return x >> N; });
}
template <int K>
inline std::uint16_t Lane16(U32x4 a) {
  return static_cast<std::uint16_t>(a.lane[K]);
}
inline U16x8 NarrowSigned(U32x4 a, U32x4 b) {
  U16x8 out{};
  for (int i = 0; i < kLanes; ++i) {
    const auto x = static_cast<std::int32_t>(i < 4 ? a.lane[i] : b.lane[i - 4]);  // two's complement
    out.lane[i] = static_cast<std::uint16_t>(x < -32768 ? -32768 : x > 32767 ? 32767 : x);
  }
  return out;
}

#endif

// Table look-ups into lanes. GatherWords: lane k of the result is
// table[Lane16<k>(first)] for k < 4 and table[Lane16<k - 4>(second)] above,
// so that eight 32-bit positions fetch one vector of texels. LookUpWords:
// lane k is table[indices[k]]; LookUpLanes: lane k is table[lane k of
// indices]. The fetches stay one by one; what is saved is
// taking each index out and putting each word in.
// AddSatBytes16: out[k] = min(out[k] + in[k], 255) for 16 bytes.
#if VANTRELLE_SIMD_SSE2
inline U16x8 GatherWords(const std::uint16_t* table, U32x4 first, U32x4 second) {
  __m128i out = _mm_cvtsi32_si128(table[_mm_extract_epi16(first.v, 0)]);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(first.v, 2)], 1);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(first.v, 4)], 2);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(first.v, 6)], 3);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(second.v, 0)], 4);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(second.v, 2)], 5);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(second.v, 4)], 6);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(second.v, 6)], 7);
  return {out};
}
inline U16x8 LookUpWords(const std::uint16_t* table, const std::uint8_t* indices) {
  __m128i out = _mm_cvtsi32_si128(table[indices[0]]);
  out = _mm_insert_epi16(out, table[indices[1]], 1);
  out = _mm_insert_epi16(out, table[indices[2]], 2);
  out = _mm_insert_epi16(out, table[indices[3]], 3);
  out = _mm_insert_epi16(out, table[indices[4]], 4);
  out = _mm_insert_epi16(out, table[indices[5]], 5);
  out = _mm_insert_epi16(out, table[indices[6]], 6);
  out = _mm_insert_epi16(out, table[indices[7]], 7);
  return {out};
}
inline U16x8 LookUpLanes(const std::uint16_t* table, U16x8 indices) {
  __m128i out = _mm_cvtsi32_si128(table[_mm_extract_epi16(indices.v, 0)]);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 1)], 1);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 2)], 2);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 3)], 3);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 4)], 4);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 5)], 5);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 6)], 6);
  out = _mm_insert_epi16(out, table[_mm_extract_epi16(indices.v, 7)], 7);
  return {out};
}
inline void AddSatBytes16(std::uint8_t* out, const std::uint8_t* in) {
  const __m128i sum = _mm_adds_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(out)),
                                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(in)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), sum);
}
#elif VANTRELLE_SIMD_NEON
inline U16x8 GatherWords(const std::uint16_t* table, U32x4 first, U32x4 second) {
  const uint16x8_t a = vreinterpretq_u16_u32(first.v);
  const uint16x8_t b = vreinterpretq_u16_u32(second.v);
  uint16x8_t out = vdupq_n_u16(0);
  out = vld1q_lane_u16(table + vgetq_lane_u16(a, 0), out, 0);
  out = vld1q_lane_u16(table + vgetq_lane_u16(a, 2), out, 1);
  out = vld1q_lane_u16(table + vgetq_lane_u16(a, 4), out, 2);
  out = vld1q_lane_u16(table + vgetq_lane_u16(a, 6), out, 3);
  out = vld1q_lane_u16(table + vgetq_lane_u16(b, 0), out, 4);
  out = vld1q_lane_u16(table + vgetq_lane_u16(b, 2), out, 5);
  out = vld1q_lane_u16(table + vgetq_lane_u16(b, 4), out, 6);
  out = vld1q_lane_u16(table + vgetq_lane_u16(b, 6), out, 7);
  return {out};
}
inline U16x8 LookUpWords(const std::uint16_t* table, const std::uint8_t* indices) {
  uint16x8_t out = vdupq_n_u16(0);
  out = vld1q_lane_u16(table + indices[0], out, 0);
  out = vld1q_lane_u16(table + indices[1], out, 1);
  out = vld1q_lane_u16(table + indices[2], out, 2);
  out = vld1q_lane_u16(table + indices[3], out, 3);
  out = vld1q_lane_u16(table + indices[4], out, 4);
  out = vld1q_lane_u16(table + indices[5], out, 5);
  out = vld1q_lane_u16(table + indices[6], out, 6);
  out = vld1q_lane_u16(table + indices[7], out, 7);
  return {out};
}
inline U16x8 LookUpLanes(const std::uint16_t* table, U16x8 indices) {
  uint16x8_t out = vdupq_n_u16(0);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 0), out, 0);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 1), out, 1);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 2), out, 2);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 3), out, 3);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 4), out, 4);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 5), out, 5);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 6), out, 6);
  out = vld1q_lane_u16(table + vgetq_lane_u16(indices.v, 7), out, 7);
  return {out};
}
inline void AddSatBytes16(std::uint8_t* out, const std::uint8_t* in) {
  vst1q_u8(out, vqaddq_u8(vld1q_u8(out), vld1q_u8(in)));
}
#elif VANTRELLE_SIMD_WASM
inline U16x8 GatherWords(const std::uint16_t* table, U32x4 first, U32x4 second) {
  v128_t out = wasm_u16x8_splat(0);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(first.v, 0), out, 0);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(first.v, 2), out, 1);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(first.v, 4), out, 2);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(first.v, 6), out, 3);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(second.v, 0), out, 4);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(second.v, 2), out, 5);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(second.v, 4), out, 6);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(second.v, 6), out, 7);
  return {out};
}
inline U16x8 LookUpWords(const std::uint16_t* table, const std::uint8_t* indices) {
  v128_t out = wasm_u16x8_splat(0);
  out = wasm_v128_load16_lane(table + indices[0], out, 0);
  out = wasm_v128_load16_lane(table + indices[1], out, 1);
  out = wasm_v128_load16_lane(table + indices[2], out, 2);
  out = wasm_v128_load16_lane(table + indices[3], out, 3);
  out = wasm_v128_load16_lane(table + indices[4], out, 4);
  out = wasm_v128_load16_lane(table + indices[5], out, 5);
  out = wasm_v128_load16_lane(table + indices[6], out, 6);
  out = wasm_v128_load16_lane(table + indices[7], out, 7);
  return {out};
}
inline U16x8 LookUpLanes(const std::uint16_t* table, U16x8 indices) {
  v128_t out = wasm_u16x8_splat(0);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 0), out, 0);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 1), out, 1);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 2), out, 2);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 3), out, 3);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 4), out, 4);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 5), out, 5);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 6), out, 6);
  out = wasm_v128_load16_lane(table + wasm_u16x8_extract_lane(indices.v, 7), out, 7);
  return {out};
}
inline void AddSatBytes16(std::uint8_t* out, const std::uint8_t* in) {
  wasm_v128_store(out, wasm_u8x16_add_sat(wasm_v128_load(out), wasm_v128_load(in)));
}
#else
inline U16x8 GatherWords(const std::uint16_t* table, U32x4 first, U32x4 second) {
  U16x8 out{};
  for (int k = 0; k < 4; ++k) {
    out.lane[k] = table[first.lane[k] & 0xFFFFu];
    out.lane[k + 4] = table[second.lane[k] & 0xFFFFu];
  }
  return out;
}
inline U16x8 LookUpWords(const std::uint16_t* table, const std::uint8_t* indices) {
  U16x8 out{};
  for (int k = 0; k < kLanes; ++k) out.lane[k] = table[indices[k]];
  return out;
}
inline U16x8 LookUpLanes(const std::uint16_t* table, U16x8 indices) {
  U16x8 out{};
  for (int k = 0; k < kLanes; ++k) out.lane[k] = table[indices.lane[k]];
  return out;
}
inline void AddSatBytes16(std::uint8_t* out, const std::uint8_t* in) {
  for (int k = 0; k < 16; ++k) out[k] = static_cast<std::uint8_t>(out[k] + in[k] > 255 ? 255 : out[k] + in[k]);
}
#endif

}  // namespace vantrelle::simd
