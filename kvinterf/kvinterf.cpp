#include "kvinterf/kvinterf.h"

namespace KV {

HINSTANCE GetInterfInstance()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&GetInterfInstance), &module);
    return module;
}

} // namespace KV
