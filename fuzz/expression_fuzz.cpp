// Integer expressions of any content: a value and maybe the error flag, never a crash.
#include <cstdint>
#include <string_view>

#include "script/evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Variables variables;
    bool error = false;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int32_t first = evaluateExpression(text, variables, error);
    // Same text, same store: the same value.
    bool again = false;
    if (evaluateExpression(text, variables, again) != first || again != error) __builtin_trap();
    return 0;
}
