// Skins: the window shape of a 60-element skin with buttons, and mouse moves over a skinned window, with
// every heap allocation of the window library counted while the mouse moves.
#include "bench.h"
#include "kvinterf/kvinterf.h"

#include <windows.h>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::atomic<long> g_allocations{0};
void* (*g_malloc)(size_t) = nullptr;
void* (*g_calloc)(size_t, size_t) = nullptr;
void* (*g_realloc)(void*, size_t) = nullptr;

void* CountMalloc(size_t n)
{
    ++g_allocations;
    return g_malloc(n);
}
void* CountCalloc(size_t n, size_t s)
{
    ++g_allocations;
    return g_calloc(n, s);
}
void* CountRealloc(void* p, size_t n)
{
    ++g_allocations;
    return g_realloc(p, n);
}

// Points one import of a module at another function; the old address goes to *original.
bool PatchImport(HMODULE module, const char* dll, const char* name, void* hook, void** original)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return false;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp)
    {
        if (_stricmp(reinterpret_cast<char*>(base + imp->Name), dll) != 0)
            continue;
        auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        for (; names->u1.AddressOfData; ++names, ++thunk)
        {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), name) != 0)
                continue;
            DWORD old;
            ::VirtualProtect(&thunk->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            if (original && !*original)
                *original = reinterpret_cast<void*>(thunk->u1.Function);
            thunk->u1.Function = reinterpret_cast<ULONG_PTR>(hook);
            ::VirtualProtect(&thunk->u1.Function, sizeof(void*), old, &old);
            return true;
        }
    }
    return false;
}

bool CountLibraryAllocations(bool on)
{
    HMODULE lib = ::GetModuleHandleW(L"kvinterf.dll");
    if (!lib)
        return false;
    if (on)
        return PatchImport(lib, "msvcrt.dll", "malloc", reinterpret_cast<void*>(&CountMalloc),
                           reinterpret_cast<void**>(&g_malloc)) &&
               PatchImport(lib, "msvcrt.dll", "calloc", reinterpret_cast<void*>(&CountCalloc),
                           reinterpret_cast<void**>(&g_calloc)) &&
               PatchImport(lib, "msvcrt.dll", "realloc", reinterpret_cast<void*>(&CountRealloc),
                           reinterpret_cast<void**>(&g_realloc));
    PatchImport(lib, "msvcrt.dll", "malloc", reinterpret_cast<void*>(g_malloc), nullptr);
    PatchImport(lib, "msvcrt.dll", "calloc", reinterpret_cast<void*>(g_calloc), nullptr);
    PatchImport(lib, "msvcrt.dll", "realloc", reinterpret_cast<void*>(g_realloc), nullptr);
    return true;
}

std::string Bmp24(int w, int h, bool holes)
{
    const int stride = ((w * 3) + 3) & ~3;
    std::string b;
    auto u16 = [&](unsigned v) {
        b += (char)(v & 0xFF);
        b += (char)((v >> 8) & 0xFF);
    };
    auto u32 = [&](unsigned long v) {
        u16(v & 0xFFFF);
        u16((v >> 16) & 0xFFFF);
    };
    b += "BM";
    u32(54 + stride * h);
    u16(0);
    u16(0);
    u32(54);
    u32(40);
    u32(w);
    u32(h);
    u16(1);
    u16(24);
    u32(0);
    u32(stride * h);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            // Rounded corners and a stripe of magenta: shapes of several rectangles per row.
            const bool key = holes && ((x + y) % 17 == 0 || (x < 3 && y < 3) || (x > w - 4 && y > h - 4));
            b += key ? "\xFF\x00\xFF" : std::string("\x40\x80\xC0", 3);
        }
        b.append(stride - w * 3, '\0');
    }
    return b;
}

const wchar_t* kClass = L"FwBenchSkinWnd";

bool IsButton(int i)
{
    return i % 4 == 3 && i % 5 != 0 && i % 7 != 0;
}

struct SkinSetup
{
    std::wstring root;
    SkinSetup()
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"fwbench-skin-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ::CreateDirectoryW(root.c_str(), nullptr);
        ::CreateDirectoryW((root + L"Bench").c_str(), nullptr);
        for (int i = 0; i < 60; ++i)
        {
            std::ofstream out((root + L"Bench\\" + std::to_wstring(100 + i) + L".bmp").c_str(),
                              std::ios::binary);
            // Every fourth element is a button: five pictures side by side.
            const std::string bmp = Bmp24(IsButton(i) ? 5 * 48 : 48, 40, true);
            out.write(bmp.data(), (std::streamsize)bmp.size());
        }
        KV::CWnd::RegisterClassW(::GetModuleHandleW(nullptr), kClass);
    }
    void Fill(KV::CSkinWnd& wnd) const
    {
        wnd.SetPath(root.c_str());
        wnd.SetName(L"Bench");
        wnd.AddSkin(1, RECT{0, 0, 0, 0}, 0x01000133); // background picture area, role 0x100
        for (int i = 1; i < 60; ++i)
        {
            // Overlapping rows of statics with magenta holes, some stretched, some anchored right.
            const unsigned long style = IsButton(i)    ? 0x03002111
                                        : (i % 7 == 0) ? 0x02002412
                                        : (i % 5 == 0) ? 0x02000413
                                                       : 0x02002111;
            const RECT place = {(i % 10) * 40 + 4, (i / 10) * 34 + 4, (i % 5 == 0) ? 20 : 48, 40};
            wnd.AddSkin((unsigned short)(100 + i), place, style, nullptr, (unsigned short)(1000 + i));
        }
    }
};

SkinSetup& Setup()
{
    static SkinSetup setup;
    return setup;
}

fwbench::Registrar shape("kvinterf: window shape of a 60-element skin", 20.0, [] {
    KV::CSkinWnd wnd;
    Setup().Fill(wnd);
    wnd.Create(0, kClass, L"bench", WS_POPUP, 0, 0, 460, 240, nullptr, nullptr, ::GetModuleHandleW(nullptr));
    return fwbench::MedianMs(15, [&] { wnd.BuildRegion(0); });
});

fwbench::Registrar create("kvinterf: 60 elements created, pictures loaded and shaped", 100.0, [] {
    return fwbench::MedianMs(5, [] {
        KV::CSkinWnd wnd;
        Setup().Fill(wnd);
        wnd.Create(0, kClass, L"bench", WS_POPUP, 0, 0, 460, 240, nullptr, nullptr,
                   ::GetModuleHandleW(nullptr));
    });
});

// For comparison: the one system call of the cursor path, a server round trip under Wine.
fwbench::Registrar cursorPos("kvinterf: 1,000 GetCursorPos calls (system baseline)", 200.0, [] {
    return fwbench::MedianMs(5, [] {
        POINT pt;
        for (int i = 0; i < 1000; ++i)
            ::GetCursorPos(&pt);
    });
});

fwbench::Registrar mouse("kvinterf: 1,000 mouse moves (move + set cursor) over a 60-element skin", 200.0, [] {
    KV::CSkinWnd wnd;
    Setup().Fill(wnd);
    HWND h = wnd.Create(0, kClass, L"bench", WS_POPUP, 0, 0, 460, 240, nullptr, nullptr,
                        ::GetModuleHandleW(nullptr));
    auto moves = [h] {
        for (int i = 0; i < 1000; ++i)
        {
            const LPARAM pt = MAKELPARAM(i % 450, (i / 450) % 230);
            ::SendMessageW(h, WM_MOUSEMOVE, 0, pt);
            ::SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        }
    };
    moves(); // warm up
    const bool counting = CountLibraryAllocations(true);
    g_allocations = 0;
    const double ms = fwbench::MedianMs(5, moves);
    const long allocations = g_allocations;
    CountLibraryAllocations(false);
    std::printf("    heap allocations in kvinterf during 5,000 mouse moves: %s%ld\n",
                counting ? "" : "(not counted) ", allocations);
    return ms;
});

} // namespace
