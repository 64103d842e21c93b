#pragma once
// Shows the wait cursor while alive and puts the previous cursor back.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

namespace KV {

class KVSTRUCT_API CCursorWait
{
public:
    CCursorWait();
    virtual ~CCursorWait();
    CCursorWait(const CCursorWait&) = delete;
    CCursorWait& operator=(const CCursorWait&) = delete;

    HCURSOR GetPrevious() const { return m_hPrevious; }

private:
    HCURSOR m_hPrevious;
};

} // namespace KV
