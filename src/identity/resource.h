#pragma once

// The program's resource ids. Shared by the resource script and the code,
// so plain macros.
#define IDI_QUARN 1
