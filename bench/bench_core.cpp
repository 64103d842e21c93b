#include "bench.h"
#include "kvstruct/kvstruct.h"

#include <sstream>

namespace {

fwbench::Registrar stringRoundTrip("kvstruct: 100,000 strings written and read", 100.0, [] {
    return fwbench::MedianMs(5, [] {
        std::stringstream ss;
        KV::CString s(L"A lesson name of moderate length");
        for (int i = 0; i < 100000; ++i)
            s.Serialize(ss);
        for (int i = 0; i < 100000; ++i)
            s.Serialize(static_cast<std::istream&>(ss));
    });
});

} // namespace
