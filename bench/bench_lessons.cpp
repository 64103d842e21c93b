#include "kvtesting/KeyboardLayerTable.h"
#include "bench.h"
#include "kvfwctrl/kvfwctrl.h"

#include <string>

namespace {

// A 20,000-character scan-code lesson converted to characters with the table keyboard.
fwbench::Registrar scanCodes("lesson scan codes 20k chars (table layout)", 50, [] {
    KV::CTableKeyboardLayer kb(L"00000409");
    KV::SetKeyboardLayer(&kb);
    std::wstring source;
    for (int i = 0; i < 20000; ++i)
        source += (i % 2) ? L"11e" : L"020";
    double ms = fwbench::MedianMs(7, [&] {
        std::wstring t = source;
        KV::CLesson::ConvertScanCode(t);
    });
    KV::SetKeyboardLayer(nullptr);
    return ms;
});

// Parsing a language-sized INI table (500 keys).
fwbench::Registrar iniParse("ini table parse 500 keys", 10, [] {
    std::wstring text = L"[Main]\r\n";
    for (int i = 0; i < 500; ++i)
        text += L"Key" + std::to_wstring(i) + L" = Some interface text " + std::to_wstring(i) + L"\r\n";
    return fwbench::MedianMs(7, [&] {
        KV::CIniTable t;
        t.Parse(text.c_str(), text.size(), false);
    });
});

} // namespace
