#include "kvfwctrl/kvfwctrl.h"

namespace KV {

HINSTANCE GetFwctrlInstance()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&GetFwctrlInstance), &module);
    return module;
}

} // namespace KV
