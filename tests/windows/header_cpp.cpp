// The public header as a Windows C++ program sees it: <windows.h> first,
// SYSTEMTIME and wchar_t from Windows, the functions from Kelvane.dll.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <type_traits>

#include "Kelvane.h"

static_assert(std::is_same_v<TZChar, wchar_t>);
static_assert(sizeof(TZInfo) == 172 && offsetof(TZInfo, Detail) == 44);

int main() {
    SYSTEMTIME time{2024, 2, 0, 29, 23, 59, 0, 0};
    if (CalcDateTime(&time, 60) != 1 || time.wMonth != 3 || time.wDay != 1) return 1;
    wchar_t copy[4];
    if (wcsncpy_sc(copy, L"Tokyo", 4) != copy || copy[3] != 0) return 2;
    std::puts("header ok");
    return 0;
}
