// Rows-across-lanes kernels, written once over a vector type. Each
// instruction-set file includes this inside its anonymous namespace, after
// its own headers and a struct V that wraps the set's intrinsics: the vector
// type R, kHalves (128-bit halves per vector) and the operations used below.
// Every operation works within a 128-bit half, so a half is a self-contained
// group of 8 rows: half h carries rows 8h..8h+7 of the lane group.
//
// The arithmetic is the fixed-point contract at the reference conversions
// (color_convert.cpp) and at the reference filter (row_filter.cpp), with the
// same integers; only the grouping of the sums differs, and every grouping
// below stays inside 32 bits as the contract's bounds show.
//
// Layout within one half. A sample vector holds one column's 16-bit samples
// of rows 0..7. A pair vector holds, for rows 0..3 ("low") or 4..7
// ("high"), a sample in the low 16 bits of each 32-bit lane and its
// neighbour one step back along the pass in the high 16 bits, so that one
// pmaddwd with a pair of taps forms two products of the recursion per row.
// The forward pass stores its outputs as such pairs, Q[i] = (T[i], T[i-1]);
// the backward pass reads (T[j], T[j+1]) = Q[j+1] back with the two taps of
// each pair swapped, so it needs no shuffles for its inputs.
//
// The sum of a new sample is grouped as
//   (b1*x0 + b2*x1) + (b3*x2 + b4*x3) - D  -  (a3*y2 + a4*y3)  -  (a2*y1 + 0*y2)
// with one pmaddwd per bracket and row half: the feed-forward brackets are
// formed ahead, (a3, a4) meets the pair from two steps back, and only the
// last bracket waits on the output just made. That wait (multiply, add,
// clamp, shuffle) is what bounds a step, so the three channels' recursions
// run side by side.

constexpr int kLanes = 8 * V::kHalves;

// The loops over columns of a block and over channels must unroll fully, so
// that the carried state lives in registers rather than in indexed arrays.
#define QUORREL_UNROLL _Pragma("GCC unroll 16")
using R = V::R;

// A 32-bit lane holding `low` in bits 0..15 and `high` in bits 16..31.
inline R Pair(int32_t low, int32_t high) {
    return V::Set1(static_cast<int32_t>((static_cast<uint32_t>(low) & 0xFFFFu) |
                                        (static_cast<uint32_t>(high) << 16)));
}

struct TapVectors {
    // [0] luma, [1] chroma.
    R b12[2], b34[2], b21[2], b43[2], a34[2], a20[2];
    R minus_bias;  // -D
    R max_sample;
    R zero;
};

inline TapVectors MakeTapVectors(const FilterTaps& taps, int32_t chroma_bias) {
    TapVectors k;
    const CoefficientSet* as[2] = {&taps.y_a, &taps.uv_a};
    const CoefficientSet* bs[2] = {&taps.y_b, &taps.uv_b};
    QUORREL_UNROLL
    for (int s = 0; s < 2; ++s) {
        const Tap* a = as[s]->tap;
        const Tap* b = bs[s]->tap;
        k.b12[s] = Pair(b[0], b[1]);
        k.b34[s] = Pair(b[2], b[3]);
        k.b21[s] = Pair(b[1], b[0]);
        k.b43[s] = Pair(b[3], b[2]);
        // a[1] (tap[0]) is never read.
        k.a34[s] = Pair(a[2], a[3]);
        k.a20[s] = Pair(a[1], 0);
    }
    k.minus_bias = V::Set1(-chroma_bias);
    k.max_sample = V::Set1(0x0FFF0FFF);
    k.zero = V::Zero();
    return k;
}

// Four vectors of four 32-bit lanes (per half) to their transpose.
inline void Transpose4(R& a, R& b, R& c, R& d) {
    const R t0 = V::UnpackLo32(a, b);
    const R t1 = V::UnpackLo32(c, d);
    const R t2 = V::UnpackHi32(a, b);
    const R t3 = V::UnpackHi32(c, d);
    a = V::UnpackLo64(t0, t1);
    b = V::UnpackHi64(t0, t1);
    c = V::UnpackLo64(t2, t3);
    d = V::UnpackHi64(t2, t3);
}

// Host pixels (one per 32-bit lane) to Y, Cr, Cb in 32-bit lanes. The even
// bytes give (B, R) pairs; green comes as (G, 256) pairs, whose 256 meets
// the offset divided by 256 (985088 = 256 * 3848, 8325120 = 256 * 32520), so
// the offsets cost no add; byte 3 is never read. 33058 does not fit a 16-bit
// tap, so luma takes G at -32478 and adds G * 65536 as G shifted into the
// upper half.
inline void ConvertIn(R p, R* y, R* cr, R* cb) {
    const R br = V::And(p, V::Set1(0x00FF00FF));
    const R g = V::GreenPairs(p);
    const R y_sum = V::Add32(V::Add32(V::Madd(br, Pair(6405, 16840)), V::Madd(g, Pair(-32478, 3848))),
                             V::Slli32_16(g));
    const R cr_sum = V::Add32(V::Madd(br, Pair(-4671, 28781)), V::Madd(g, Pair(-24110, 32520)));
    const R cb_sum = V::Add32(V::Madd(br, Pair(28781, -9713)), V::Madd(g, Pair(-19068, 32520)));
    *y = V::Srli32_12(y_sum);
    *cr = V::Srli32_12(cr_sum);
    *cb = V::Srli32_12(cb_sum);
}

// 8 rows of samples to host pixels, rows 0..3 in *low and 4..7 in *high.
// The factors 76283, 104595 and 132253 do not fit 16-bit taps, so each sum
// is regrouped over samples that do, with the very same integer result:
//   r = 19659*(Y+Cr) + 28312*(2Y+3Cr)                     (76283 Y + 104595 Cr)
//   b = 20313*(Y+Cb) + 27985*(2Y+4Cb)                     (76283 Y + 132253 Cb)
//   g = 25625*(3Y-Cb) - 26640*(2Cr) - Cr - 592*Y          (76283 Y - 53281 Cr - 25625 Cb)
// Saturating packs of value >> 20 give the clamps: a sum above 0x0FFFFFFF
// shifts to 256 or more and packs to 255, a negative one packs to 0.
inline void ConvertOut(R y, R cr, R cb, R zero, R* low, R* high) {
    const R r1 = V::Add16(y, cr);
    const R r2 = V::Add16(V::Add16(r1, r1), cr);
    const R b1 = V::Add16(y, cb);
    const R b2 = V::Add16(V::Add16(b1, b1), V::Add16(cb, cb));
    const R g1 = V::Sub16(V::Add16(V::Add16(y, y), y), cb);
    const R g2 = V::Add16(cr, cr);
    const R r_taps = Pair(19659, 28312);
    const R b_taps = Pair(20313, 27985);
    const R g_taps = Pair(25625, -26640);
    const R g_rest = Pair(-1, -592);
    const R r_lo = V::Add32(V::Madd(V::UnpackLo16(r1, r2), r_taps), V::Set1(-230318672));
    const R r_hi = V::Add32(V::Madd(V::UnpackHi16(r1, r2), r_taps), V::Set1(-230318672));
    const R b_lo = V::Add32(V::Madd(V::UnpackLo16(b1, b2), b_taps), V::Set1(-286518848));
    const R b_hi = V::Add32(V::Madd(V::UnpackHi16(b1, b2), b_taps), V::Set1(-286518848));
    const R g_lo = V::Add32(V::Add32(V::Madd(V::UnpackLo16(g1, g2), g_taps),
                                     V::Madd(V::UnpackLo16(cr, y), g_rest)),
                            V::Set1(142550864));
    const R g_hi = V::Add32(V::Add32(V::Madd(V::UnpackHi16(g1, g2), g_taps),
                                     V::Madd(V::UnpackHi16(cr, y), g_rest)),
                            V::Set1(142550864));
    const R r16 = V::PackS32(V::Srai32_20(r_lo), V::Srai32_20(r_hi));
    const R g16 = V::PackS32(V::Srai32_20(g_lo), V::Srai32_20(g_hi));
    const R b16 = V::PackS32(V::Srai32_20(b_lo), V::Srai32_20(b_hi));
    const R br8 = V::PackUS16(b16, r16);   // B0..B7 R0..R7
    const R g8 = V::PackUS16(g16, zero);   // G0..G7 then zeros
    const R bg = V::UnpackLo8(br8, g8);    // B G pairs
    const R r0 = V::UnpackHi8(br8, g8);    // R 0 pairs
    *low = V::UnpackLo16(bg, r0);
    *high = V::UnpackHi16(bg, r0);
}

// clamp(acc >> 10) to 0..4095 for the rows of two accumulator vectors.
inline R Clamp(R acc_lo, R acc_hi, const TapVectors& k) { return V::ClampSamples(acc_lo, acc_hi, k.max_sample, k.zero); }

// The low 16 bits of each lane of two pair vectors, as one sample vector.
inline R LeadingSamples(R lo, R hi) {
    return V::PackS32(V::Srai32_16(V::Slli32_16(lo)), V::Srai32_16(V::Slli32_16(hi)));
}

#define QUORREL_INLINE inline __attribute__((always_inline))

// Makes a value opaque to the optimiser: left alone, GCC reassociates sums
// formed ahead of the recursion into the recursion itself, which puts them
// back on its critical path and keeps their parts alive across the block.
QUORREL_INLINE void Settle(R& v) { asm("" : "+x"(v)); }

// Columns per block, a multiple of 4 (one 4 x 4 transpose of pixels per 4
// rows each): longer blocks carry the state through memory less often, as
// long as the registers hold out.
constexpr int kBlock = V::kBlock;

// What the forward pass carries along a row, per channel: X[i-1], P[i-1],
// P[i-2] with P[i] = (X[i], X[i-1]), and T[i-1], Q[i-1], Q[i-2]. It lives in
// memory between blocks and in registers within one channel of a block.
struct ForwardState {
    R x_prev[3], p1_lo[3], p1_hi[3], p2_lo[3], p2_hi[3];
    R t_prev[3], q1_lo[3], q1_hi[3], q2_lo[3], q2_hi[3];
};

// Pixels of columns i0.. of the group, read from rows[l] + offset, to
// sample vectors xs[column][channel].
QUORREL_INLINE void LoadBlock(const uint8_t* const* rows, ptrdiff_t offset, R xs[kBlock][3]) {
    QUORREL_UNROLL
    for (int g = 0; g < kBlock / 4; ++g) {
        R lo[4], hi[4];
        QUORREL_UNROLL
        for (int r = 0; r < 4; ++r) {
            lo[r] = V::LoadRows(rows, r, offset + 16 * g);
            hi[r] = V::LoadRows(rows, r + 4, offset + 16 * g);
        }
        Transpose4(lo[0], lo[1], lo[2], lo[3]);
        Transpose4(hi[0], hi[1], hi[2], hi[3]);
        QUORREL_UNROLL
        for (int j = 0; j < 4; ++j) {
            R s_lo[3], s_hi[3];
            ConvertIn(lo[j], &s_lo[0], &s_lo[1], &s_lo[2]);
            ConvertIn(hi[j], &s_hi[0], &s_hi[1], &s_hi[2]);
            QUORREL_UNROLL
            for (int c = 0; c < 3; ++c) xs[4 * g + j][c] = V::PackS32(s_lo[c], s_hi[c]);
        }
    }
}

// The forward pass over columns i0..i0+kBlock-1. An edge block is the first
// (which copies T[0..2] = X[0..2]) or the last, of n < kBlock columns;
// interior blocks take neither branch.
template <bool kEdge>
__attribute__((noinline)) void ForwardBlock(ForwardState& st, const uint8_t* const* rows,
                                            ptrdiff_t offset, int32_t i0, int32_t n,
                                            const TapVectors& k, uint8_t* out_lo, uint8_t* out_hi) {
    R xs[kBlock][3];
    LoadBlock(rows, offset, xs);

    // The feed-forward half of each sum needs no earlier output, so the
    // block's is formed first, one channel at a time.
    R f_lo[kBlock][3], f_hi[kBlock][3];
    QUORREL_UNROLL
    for (int c = 0; c < 3; ++c) {
        const int s = c == 0 ? 0 : 1;
        R x_prev = st.x_prev[c];
        R p1_lo = st.p1_lo[c], p1_hi = st.p1_hi[c];
        R p2_lo = st.p2_lo[c], p2_hi = st.p2_hi[c];
        QUORREL_UNROLL
        for (int j = 0; j < kBlock; ++j) {
            const R x = xs[j][c];
            const R p_lo = V::UnpackLo16(x, x_prev);
            const R p_hi = V::UnpackHi16(x, x_prev);
            R fl = V::Add32(V::Madd(p_lo, k.b12[s]), V::Madd(p2_lo, k.b34[s]));
            R fh = V::Add32(V::Madd(p_hi, k.b12[s]), V::Madd(p2_hi, k.b34[s]));
            if (c != 0) {
                fl = V::Add32(fl, k.minus_bias);
                fh = V::Add32(fh, k.minus_bias);
            }
            Settle(fl);
            Settle(fh);
            f_lo[j][c] = fl;
            f_hi[j][c] = fh;
            p2_lo = p1_lo;
            p2_hi = p1_hi;
            p1_lo = p_lo;
            p1_hi = p_hi;
            x_prev = x;
        }
        st.x_prev[c] = x_prev;
        st.p1_lo[c] = p1_lo;
        st.p1_hi[c] = p1_hi;
        st.p2_lo[c] = p2_lo;
        st.p2_hi[c] = p2_hi;
    }

    // The recursion, the three channels side by side: each step waits on the
    // one before through a multiply, an add, the clamp and a shuffle, and
    // only independent chains fill that wait.
    R t_prev[3], q1_lo[3], q1_hi[3], q2_lo[3], q2_hi[3];
    QUORREL_UNROLL
    for (int c = 0; c < 3; ++c) {
        t_prev[c] = st.t_prev[c];
        q1_lo[c] = st.q1_lo[c];
        q1_hi[c] = st.q1_hi[c];
        q2_lo[c] = st.q2_lo[c];
        q2_hi[c] = st.q2_hi[c];
    }
    QUORREL_UNROLL
    for (int j = 0; j < kBlock; ++j) {
        if (kEdge && j >= n) break;
        const int32_t i = i0 + j;
        QUORREL_UNROLL
        for (int c = 0; c < 3; ++c) {
            const int s = c == 0 ? 0 : 1;
            R t;
            if (kEdge && i < 3) {
                t = xs[j][c];
            } else {
                R g_lo = V::Sub32(f_lo[j][c], V::Madd(q2_lo[c], k.a34[s]));
                R g_hi = V::Sub32(f_hi[j][c], V::Madd(q2_hi[c], k.a34[s]));
                Settle(g_lo);
                Settle(g_hi);
                const R acc_lo = V::Sub32(g_lo, V::Madd(q1_lo[c], k.a20[s]));
                const R acc_hi = V::Sub32(g_hi, V::Madd(q1_hi[c], k.a20[s]));
                t = Clamp(acc_lo, acc_hi, k);
            }
            const R q_lo = V::UnpackLo16(t, t_prev[c]);
            const R q_hi = V::UnpackHi16(t, t_prev[c]);
            const ptrdiff_t at = (static_cast<ptrdiff_t>(i) * 3 + c) * sizeof(R);
            V::Store(out_lo + at, q_lo);
            V::Store(out_hi + at, q_hi);
            q2_lo[c] = q1_lo[c];
            q2_hi[c] = q1_hi[c];
            q1_lo[c] = q_lo;
            q1_hi[c] = q_hi;
            t_prev[c] = t;
        }
    }
    QUORREL_UNROLL
    for (int c = 0; c < 3; ++c) {
        st.t_prev[c] = t_prev[c];
        st.q1_lo[c] = q1_lo[c];
        st.q1_hi[c] = q1_hi[c];
        st.q2_lo[c] = q2_lo[c];
        st.q2_hi[c] = q2_hi[c];
    }
}

void ForwardIn(const uint8_t* const* source_rows, int32_t w, const FilterTaps& taps,
               int32_t chroma_bias, void* pairs_low, void* pairs_high) {
    const TapVectors k = MakeTapVectors(taps, chroma_bias);
    uint8_t* out_lo = static_cast<uint8_t*>(pairs_low);
    uint8_t* out_hi = static_cast<uint8_t*>(pairs_high);
    ForwardState st;
    for (int c = 0; c < 3; ++c) {
        st.x_prev[c] = st.p1_lo[c] = st.p1_hi[c] = st.p2_lo[c] = st.p2_hi[c] = k.zero;
        st.t_prev[c] = st.q1_lo[c] = st.q1_hi[c] = st.q2_lo[c] = st.q2_hi[c] = k.zero;
    }

    const int32_t full_end = w - w % kBlock;  // columns in whole blocks
    if (full_end >= kBlock) ForwardBlock<true>(st, source_rows, 0, 0, kBlock, k, out_lo, out_hi);
    for (int32_t i0 = kBlock; i0 < full_end; i0 += kBlock)
        ForwardBlock<false>(st, source_rows, static_cast<ptrdiff_t>(i0) * 4, i0, kBlock, k, out_lo,
                            out_hi);
    if (full_end < w) {
        // The last few columns come through a zero-padded copy, so that no
        // load reaches past the row.
        alignas(32) uint8_t tail[kLanes][4 * kBlock];
        const uint8_t* tail_rows[kLanes];
        const int32_t n = w - full_end;
        for (int l = 0; l < kLanes; ++l) {
            std::memset(tail[l], 0, sizeof tail[l]);
            std::memcpy(tail[l], source_rows[l] + static_cast<ptrdiff_t>(full_end) * 4,
                        static_cast<size_t>(n) * 4);
            tail_rows[l] = tail[l];
        }
        ForwardBlock<true>(st, tail_rows, 0, full_end, n, k, out_lo, out_hi);
    }
}

// What the backward pass carries along a row, per channel: Z[j+1] and
// R[j+1], R[j+2] with R[j] = (Z[j], Z[j+1]).
struct BackwardState {
    R z_prev[3], r1_lo[3], r1_hi[3], r2_lo[3], r2_hi[3];
};

// The backward pass over columns i0+kBlock-1 down to i0 (those below w),
// then their conversion out: px[g][r] holds row r's pixels of columns
// i0+4g..i0+4g+3 (rows 4..7 of each half in px[g][r + 4]). An edge block
// holds one of the copied last three columns or is short; interior blocks
// take neither branch.
template <bool kEdge>
__attribute__((noinline)) void BackwardBlock(BackwardState& st, const uint8_t* in_lo,
                                             const uint8_t* in_hi, int32_t i0, int32_t w,
                                             const TapVectors& k, R px[kBlock / 4][8]) {
    R zs[kBlock][3];
    if (kEdge) {
        QUORREL_UNROLL
        for (int j = 0; j < kBlock; ++j) {
            QUORREL_UNROLL
            for (int c = 0; c < 3; ++c) zs[j][c] = k.zero;
        }
    }
    // The three channels side by side, as in the forward pass.
    R z_prev[3], r1_lo[3], r1_hi[3], r2_lo[3], r2_hi[3];
    QUORREL_UNROLL
    for (int c = 0; c < 3; ++c) {
        z_prev[c] = st.z_prev[c];
        r1_lo[c] = st.r1_lo[c];
        r1_hi[c] = st.r1_hi[c];
        r2_lo[c] = st.r2_lo[c];
        r2_hi[c] = st.r2_hi[c];
    }
    QUORREL_UNROLL
    for (int jj = 0; jj < kBlock; ++jj) {
        const int j = kBlock - 1 - jj;
        const int32_t i = i0 + j;
        if (kEdge && i >= w) continue;
        QUORREL_UNROLL
        for (int c = 0; c < 3; ++c) {
            const int s = c == 0 ? 0 : 1;
            const ptrdiff_t at = (static_cast<ptrdiff_t>(i) * 3 + c) * sizeof(R);
            R z;
            if (kEdge && i >= w - 3) {
                z = LeadingSamples(V::Load(in_lo + at), V::Load(in_hi + at));
            } else {
                const ptrdiff_t at1 = at + 3 * sizeof(R);
                const ptrdiff_t at3 = at + 9 * sizeof(R);
                R fl = V::Add32(V::Madd(V::Load(in_lo + at1), k.b21[s]),
                                V::Madd(V::Load(in_lo + at3), k.b43[s]));
                R fh = V::Add32(V::Madd(V::Load(in_hi + at1), k.b21[s]),
                                V::Madd(V::Load(in_hi + at3), k.b43[s]));
                if (c != 0) {
                    fl = V::Add32(fl, k.minus_bias);
                    fh = V::Add32(fh, k.minus_bias);
                }
                Settle(fl);
                Settle(fh);
                R g_lo = V::Sub32(fl, V::Madd(r2_lo[c], k.a34[s]));
                R g_hi = V::Sub32(fh, V::Madd(r2_hi[c], k.a34[s]));
                Settle(g_lo);
                Settle(g_hi);
                const R acc_lo = V::Sub32(g_lo, V::Madd(r1_lo[c], k.a20[s]));
                const R acc_hi = V::Sub32(g_hi, V::Madd(r1_hi[c], k.a20[s]));
                z = Clamp(acc_lo, acc_hi, k);
            }
            const R r_lo = V::UnpackLo16(z, z_prev[c]);
            const R r_hi = V::UnpackHi16(z, z_prev[c]);
            r2_lo[c] = r1_lo[c];
            r2_hi[c] = r1_hi[c];
            r1_lo[c] = r_lo;
            r1_hi[c] = r_hi;
            z_prev[c] = z;
            zs[j][c] = z;
        }
    }
    QUORREL_UNROLL
    for (int c = 0; c < 3; ++c) {
        st.z_prev[c] = z_prev[c];
        st.r1_lo[c] = r1_lo[c];
        st.r1_hi[c] = r1_hi[c];
        st.r2_lo[c] = r2_lo[c];
        st.r2_hi[c] = r2_hi[c];
    }
    QUORREL_UNROLL
    for (int g = 0; g < kBlock / 4; ++g) {
        R lo[4], hi[4];
        QUORREL_UNROLL
        for (int j = 0; j < 4; ++j)
            ConvertOut(zs[4 * g + j][0], zs[4 * g + j][1], zs[4 * g + j][2], k.zero, &lo[j], &hi[j]);
        Transpose4(lo[0], lo[1], lo[2], lo[3]);
        Transpose4(hi[0], hi[1], hi[2], hi[3]);
        QUORREL_UNROLL
        for (int r = 0; r < 4; ++r) {
            px[g][r] = lo[r];
            px[g][r + 4] = hi[r];
        }
    }
}

QUORREL_INLINE void StoreBlock(uint8_t* const* rows, ptrdiff_t offset, int32_t count,
                               const R px[kBlock / 4][8]) {
    QUORREL_UNROLL
    for (int g = 0; g < kBlock / 4; ++g) {
        QUORREL_UNROLL
        for (int r = 0; r < 8; ++r) V::StoreRows(rows, r, offset + 16 * g, count, px[g][r]);
    }
}

void BackwardOut(const void* pairs_low, const void* pairs_high, int32_t w, const FilterTaps& taps,
                 int32_t chroma_bias, uint8_t* const* destination_rows, int32_t row_count) {
    const TapVectors k = MakeTapVectors(taps, chroma_bias);
    const uint8_t* in_lo = static_cast<const uint8_t*>(pairs_low);
    const uint8_t* in_hi = static_cast<const uint8_t*>(pairs_high);
    BackwardState st;
    for (int c = 0; c < 3; ++c)
        st.z_prev[c] = st.r1_lo[c] = st.r1_hi[c] = st.r2_lo[c] = st.r2_hi[c] = k.zero;

    R px[kBlock / 4][8];
    int32_t i0 = (w - 1) - (w - 1) % kBlock;
    // Blocks that hold a column at or past w - 3.
    for (; i0 >= 0 && i0 + kBlock - 1 >= w - 3; i0 -= kBlock) {
        BackwardBlock<true>(st, in_lo, in_hi, i0, w, k, px);
        const int32_t n = w - i0 < kBlock ? w - i0 : kBlock;
        if (n == kBlock) {
            StoreBlock(destination_rows, static_cast<ptrdiff_t>(i0) * 4, row_count, px);
        } else {
            // A short block goes through a copy, so that no store reaches
            // past the row.
            alignas(32) uint8_t tail[kLanes][4 * kBlock];
            uint8_t* tail_rows[kLanes];
            for (int l = 0; l < kLanes; ++l) tail_rows[l] = tail[l];
            StoreBlock(tail_rows, 0, kLanes, px);
            for (int32_t l = 0; l < row_count; ++l)
                std::memcpy(destination_rows[l] + static_cast<ptrdiff_t>(i0) * 4, tail[l],
                            static_cast<size_t>(n) * 4);
        }
    }
    for (; i0 >= 0; i0 -= kBlock) {
        BackwardBlock<false>(st, in_lo, in_hi, i0, w, k, px);
        StoreBlock(destination_rows, static_cast<ptrdiff_t>(i0) * 4, row_count, px);
    }
}
