#include "kvfwctrl/kvfwctrl.h"

namespace KV {

// The module handle of kvfwctrl, for resources kept in the library.
KVFWCTRL_API HINSTANCE GetFwctrlInstance();

HINSTANCE GetFwctrlInstance()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&GetFwctrlInstance), &module);
    return module;
}

} // namespace KV
