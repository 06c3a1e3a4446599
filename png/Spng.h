#pragma once
// Small helpers around libspng for PNG loading.
#include <spng.h>

#include <memory>
#include <string>

#include "core/RunError.h"

namespace orvane::spng {

struct CtxFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, CtxFree>;

// A fresh context; throws RunError with `action` ("PNG load") when none.
inline Context NewContext(int flags, const char* action) {
    Context ctx(spng_ctx_new(flags));
    if (!ctx) throw RunError(std::string(action) + " failed: out of memory");
    return ctx;
}

// Turns a libspng error code into a RunError naming the action and the step.
inline void Check(int err, const char* action, const char* step) {
    if (err != 0)
        throw RunError(std::string(action) + " failed (" + step + "): " + spng_strerror(err));
}

}  // namespace orvane::spng
