#pragma once

#include <windows.h>

// COM code reads as a list of steps that each may fail: the first failure
// is the result, and the owners of what was made so far release it.
#define QUARN_RETURN_IF_FAILED(call)                                                                         \
    do {                                                                                                     \
        const HRESULT result_ = (call);                                                                      \
        if (FAILED(result_)) return result_;                                                                 \
    } while (false)
