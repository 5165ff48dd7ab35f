// The zero-phase row recursive filter.
#pragma once

#include <cstdint>

#include "processing/coefficients.h"
#include "processing/work_frame.h"

namespace quorrel {

// 2048*(b[1]+b[2]+b[3]+b[4]-a[2]-a[3]-a[4]) - 2097664, from the UV taps: the
// term that filters chroma about its centre 2048, rounded to nearest.
int32_t ChromaBias(const CoefficientSet& uv_a, const CoefficientSet& uv_b);

// Filters every row of `x` from left to right into `t`, then every row of `t`
// from right to left into `z`. x, t and z are distinct w x h frames. Rows
// narrower than 4 pixels are not filtered: t and z become copies of x.
// Requires h >= 1.
void FilterRows(const WorkPixel* x, WorkPixel* z, WorkPixel* t, int32_t w, int32_t h,
                const CoefficientSet& y_a, const CoefficientSet& y_b,
                const CoefficientSet& uv_a, const CoefficientSet& uv_b);

// One row of each pass, with the chroma bias already computed. Rows narrower
// than 4 pixels are copied unchanged.
void FilterRowForward(const WorkPixel* x, WorkPixel* t, int32_t w, const FilterTaps& taps,
                      int32_t chroma_bias);
void FilterRowBackward(const WorkPixel* t, WorkPixel* z, int32_t w, const FilterTaps& taps,
                       int32_t chroma_bias);

}  // namespace quorrel
