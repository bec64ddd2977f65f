// Conditions of any content: a value and maybe the error flag, never a crash or a hang.
#include <cstdint>
#include <string_view>

#include "script/evaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Variables variables;
    bool error = false;
    evaluateCondition(std::string_view(reinterpret_cast<const char*>(data), size), variables,
                      error);
    return 0;
}
