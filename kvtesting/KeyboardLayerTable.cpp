#include "kvtesting/KeyboardLayerTable.h"

#include <cstring>
#include <cwchar>

namespace KV {

namespace {

// The 48 character keys of a 102-key board, by scan code: the digit row, the three letter
// rows (with the key left of Enter after the home row) and the key between left Shift and Z.
const BYTE kCharScans[48] = {0x29, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C,
                             0x0D, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A,
                             0x1B, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                             0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x56};

const BYTE kVkUS[48] = {VK_OEM_3,     '1',           '2',      '3',       '4', '5', '6', '7', '8', '9', '0',
                        VK_OEM_MINUS, VK_OEM_PLUS,   'Q',      'W',       'E', 'R', 'T', 'Y', 'U', 'I', 'O',
                        'P',          VK_OEM_4,      VK_OEM_6, 'A',       'S', 'D', 'F', 'G', 'H', 'J', 'K',
                        'L',          VK_OEM_1,      VK_OEM_7, VK_OEM_5,  'Z', 'X', 'C', 'V', 'B', 'N', 'M',
                        VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_102};

const BYTE kVkUK[48] = {VK_OEM_8,     '1',           '2',      '3',      '4', '5', '6', '7', '8', '9', '0',
                        VK_OEM_MINUS, VK_OEM_PLUS,   'Q',      'W',      'E', 'R', 'T', 'Y', 'U', 'I', 'O',
                        'P',          VK_OEM_4,      VK_OEM_6, 'A',      'S', 'D', 'F', 'G', 'H', 'J', 'K',
                        'L',          VK_OEM_1,      VK_OEM_3, VK_OEM_7, 'Z', 'X', 'C', 'V', 'B', 'N', 'M',
                        VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_5};

const BYTE kVkDE[48] = {
    VK_OEM_5,    '1', '2', '3', '4', '5', '6', '7', '8',          '9',           '0',          VK_OEM_4,
    VK_OEM_6,    'Q', 'W', 'E', 'R', 'T', 'Z', 'U', 'I',          'O',           'P',          VK_OEM_1,
    VK_OEM_PLUS, 'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K',          'L',           VK_OEM_3,     VK_OEM_7,
    VK_OEM_2,    'Y', 'X', 'C', 'V', 'B', 'N', 'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_MINUS, VK_OEM_102};

// Dead-key compositions: dead character, base character, result.
struct Compose
{
    wchar_t dead, base, result;
};

const Compose kComposeDE[] = {
    {L'^', L'a', L'â'}, {L'^', L'e', L'ê'}, {L'^', L'i', L'î'}, {L'^', L'o', L'ô'}, {L'^', L'u', L'û'},
    {L'^', L'A', L'Â'}, {L'^', L'E', L'Ê'}, {L'^', L'I', L'Î'}, {L'^', L'O', L'Ô'}, {L'^', L'U', L'Û'},
    {L'^', L' ', L'^'}, {L'´', L'a', L'á'}, {L'´', L'e', L'é'}, {L'´', L'i', L'í'}, {L'´', L'o', L'ó'},
    {L'´', L'u', L'ú'}, {L'´', L'y', L'ý'}, {L'´', L'A', L'Á'}, {L'´', L'E', L'É'}, {L'´', L'I', L'Í'},
    {L'´', L'O', L'Ó'}, {L'´', L'U', L'Ú'}, {L'´', L'Y', L'Ý'}, {L'´', L' ', L'´'}, {L'`', L'a', L'à'},
    {L'`', L'e', L'è'}, {L'`', L'i', L'ì'}, {L'`', L'o', L'ò'}, {L'`', L'u', L'ù'}, {L'`', L'A', L'À'},
    {L'`', L'E', L'È'}, {L'`', L'I', L'Ì'}, {L'`', L'O', L'Ò'}, {L'`', L'U', L'Ù'}, {L'`', L' ', L'`'},
};

// One layout: four 48-character rows (a space in the AltGr rows means nothing) and the
// dead marks ('n' the plain character is dead, 's' the shifted one, 'b' both).
struct LayoutDef
{
    ULONG_PTR hkl;
    const BYTE* vk;
    const wchar_t* normal;
    const wchar_t* shift;
    const wchar_t* altgr;
    const wchar_t* shiftAltgr;
    const char* dead;
    const Compose* compose;
    size_t composeCount;
    wchar_t decimal;
};

// Every row holds exactly one character per key of kCharScans.
template <size_t N>
constexpr const wchar_t* Row(const wchar_t (&row)[N])
{
    static_assert(N == 49, "a layout row has 48 characters");
    return row;
}

const wchar_t kNoAltGr[] = L"                                                ";
const char kNoDead[] = "................................................";

const LayoutDef kLayouts[] = {
    {CTableKeyboardLayer::kUnitedStates, kVkUS, Row(L"`1234567890-=qwertyuiop[]asdfghjkl;'\\zxcvbnm,./\\"),
     Row(L"~!@#$%^&*()_+QWERTYUIOP{}ASDFGHJKL:\"|ZXCVBNM<>?|"), Row(kNoAltGr), Row(kNoAltGr), kNoDead,
     nullptr, 0, L'.'},
    {CTableKeyboardLayer::kUnitedKingdom, kVkUK, Row(L"`1234567890-=qwertyuiop[]asdfghjkl;'#zxcvbnm,./\\"),
     Row(L"¬!\"£$%^&*()_+QWERTYUIOP{}ASDFGHJKL:@~ZXCVBNM<>?|"),
     Row(L"¦   €          é   úíó   á                      "),
     Row(L"               É   ÚÍÓ   Á                      "), kNoDead, nullptr, 0, L'.'},
    {CTableKeyboardLayer::kGerman, kVkDE, Row(L"^1234567890ß´qwertzuiopü+asdfghjklöä#yxcvbnm,.-<"),
     Row(L"°!\"§$%&/()=?`QWERTZUIOPÜ*ASDFGHJKLÖÄ'YXCVBNM;:_>"),
     Row(L"  ²³   {[]}\\ @ €        ~                  µ   |"), Row(kNoAltGr),
     "n...........b...................................", kComposeDE, sizeof kComposeDE / sizeof kComposeDE[0],
     L','},
    {CTableKeyboardLayer::kRussian, kVkUS, Row(L"ё1234567890-=йцукенгшщзхъфывапролджэ\\ячсмитьбю.\\"),
     Row(L"Ё!\"№;%:?*()_+ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭ/ЯЧСМИТЬБЮ,/"), Row(kNoAltGr), Row(kNoAltGr), kNoDead,
     nullptr, 0, L','},
};

// Keys that are the same on every layout: scan code, virtual key, character (0 for none).
struct FixedKey
{
    BYTE scan;
    BYTE vk;
    wchar_t ch;
};

const FixedKey kFixedKeys[] = {
    {0x01, VK_ESCAPE, 0x1B}, {0x0E, VK_BACK, 0x08},  {0x0F, VK_TAB, 0x09},      {0x1C, VK_RETURN, 0x0D},
    {0x1D, VK_CONTROL, 0},   {0x2A, VK_SHIFT, 0},    {0x36, VK_SHIFT, 0},       {0x37, VK_MULTIPLY, L'*'},
    {0x38, VK_MENU, 0},      {0x39, VK_SPACE, L' '}, {0x3A, VK_CAPITAL, 0},     {0x3B, VK_F1, 0},
    {0x3C, VK_F2, 0},        {0x3D, VK_F3, 0},       {0x3E, VK_F4, 0},          {0x3F, VK_F5, 0},
    {0x40, VK_F6, 0},        {0x41, VK_F7, 0},       {0x42, VK_F8, 0},          {0x43, VK_F9, 0},
    {0x44, VK_F10, 0},       {0x45, VK_NUMLOCK, 0},  {0x46, VK_SCROLL, 0},      {0x47, VK_HOME, 0},
    {0x48, VK_UP, 0},        {0x49, VK_PRIOR, 0},    {0x4A, VK_SUBTRACT, L'-'}, {0x4B, VK_LEFT, 0},
    {0x4C, VK_CLEAR, 0},     {0x4D, VK_RIGHT, 0},    {0x4E, VK_ADD, L'+'},      {0x4F, VK_END, 0},
    {0x50, VK_DOWN, 0},      {0x51, VK_NEXT, 0},     {0x52, VK_INSERT, 0},      {0x53, VK_DELETE, 0},
    {0x57, VK_F11, 0},       {0x58, VK_F12, 0},
};

// Scan codes of the number pad keys when Num Lock gives digits.
const BYTE kNumpadScans[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};

const LayoutDef* FindLayout(HKL layout)
{
    ULONG_PTR id = reinterpret_cast<ULONG_PTR>(layout);
    for (const LayoutDef& def : kLayouts)
        if (def.hkl == id)
            return &def;
    return nullptr;
}

int FindByScan(const LayoutDef& def, UINT scan)
{
    for (int i = 0; i < 48; ++i)
        if (kCharScans[i] == scan)
            return i;
    (void)def;
    return -1;
}

int FindByVk(const LayoutDef& def, UINT vk)
{
    for (int i = 0; i < 48; ++i)
        if (def.vk[i] == vk)
            return i;
    return -1;
}

const FixedKey* FixedByScan(UINT scan)
{
    for (const FixedKey& k : kFixedKeys)
        if (k.scan == scan)
            return &k;
    return nullptr;
}

const FixedKey* FixedByVk(UINT vk)
{
    for (const FixedKey& k : kFixedKeys)
        if (k.vk == vk)
            return &k;
    return nullptr;
}

wchar_t ToUpperChar(wchar_t c)
{
    return static_cast<wchar_t>(
        reinterpret_cast<ULONG_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

// Caps Lock acts on a key whose shifted character is the capital of its plain one.
bool IsCapsKey(const LayoutDef& def, int i)
{
    wchar_t n = def.normal[i];
    wchar_t s = def.shift[i];
    return n != s && ToUpperChar(n) == s;
}

wchar_t Column(const LayoutDef& def, int i, int column)
{
    wchar_t c = 0;
    switch (column)
    {
    case 0:
        c = def.normal[i];
        break;
    case 1:
        c = def.shift[i];
        break;
    case 2:
        c = def.altgr[i];
        break;
    default:
        c = def.shiftAltgr[i];
        break;
    }
    if (column >= 2 && c == L' ')
        return 0;
    return c;
}

bool IsDead(const LayoutDef& def, int i, int column)
{
    char m = def.dead[i];
    return (column == 0 && (m == 'n' || m == 'b')) || (column == 1 && (m == 's' || m == 'b'));
}

bool Down(const BYTE* state, int vk)
{
    return (state[vk] & 0x80) != 0;
}

const ULONG_PTR kHklPrev = 0;
const ULONG_PTR kHklNext = 1;

} // namespace

CTableKeyboardLayer::CTableKeyboardLayer() : CTableKeyboardLayer(L"00000409") {}

CTableKeyboardLayer::CTableKeyboardLayer(const wchar_t* activeKlid)
    : m_installed{reinterpret_cast<HKL>(kUnitedStates), reinterpret_cast<HKL>(kGerman),
                  reinterpret_cast<HKL>(kRussian)},
      m_active(reinterpret_cast<HKL>(kUnitedStates)), m_deadKey(0)
{
    std::memset(m_state, 0, sizeof m_state);
    HKL wanted = LayoutFromKLID(activeKlid);
    if (wanted)
    {
        bool listed = false;
        for (HKL h : m_installed)
            listed = listed || h == wanted;
        if (!listed)
            m_installed.push_back(wanted);
        m_active = wanted;
    }
}

CTableKeyboardLayer::~CTableKeyboardLayer() = default;

HKL CTableKeyboardLayer::LayoutFromKLID(const wchar_t* klid)
{
    if (!klid || wcslen(klid) != 8)
        return nullptr;
    wchar_t* end = nullptr;
    unsigned long value = wcstoul(klid, &end, 16);
    if (!end || *end)
        return nullptr;
    for (const LayoutDef& def : kLayouts)
        if ((def.hkl & 0xFFFF) == value)
            return reinterpret_cast<HKL>(def.hkl);
    return nullptr;
}

UINT CTableKeyboardLayer::MapVirtualKey(UINT code, UINT mapType, HKL layout)
{
    const LayoutDef* def = FindLayout(layout);
    if (!def)
        def = FindLayout(m_active);
    if (!def)
        return 0;

    switch (mapType)
    {
    case MAPVK_VK_TO_VSC:
    case MAPVK_VK_TO_VSC_EX: {
        bool ex = mapType == MAPVK_VK_TO_VSC_EX;
        switch (code)
        {
        case VK_LSHIFT:
            return 0x2A;
        case VK_RSHIFT:
            return 0x36;
        case VK_LCONTROL:
            return 0x1D;
        case VK_RCONTROL:
            return ex ? 0xE01D : 0x1D;
        case VK_LMENU:
            return 0x38;
        case VK_RMENU:
            return ex ? 0xE038 : 0x38;
        case VK_DECIMAL:
            return 0x53;
        case VK_DIVIDE:
            return ex ? 0xE035 : 0x35;
        default:
            break;
        }
        if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9)
            return kNumpadScans[code - VK_NUMPAD0];
        int i = FindByVk(*def, code);
        if (i >= 0)
            return kCharScans[i];
        const FixedKey* k = FixedByVk(code);
        if (!k)
            return 0;
        bool extended = (code >= VK_PRIOR && code <= VK_DOWN) || code == VK_INSERT || code == VK_DELETE;
        return ex && extended ? 0xE000u | k->scan : k->scan;
    }
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX: {
        bool ex = mapType == MAPVK_VSC_TO_VK_EX;
        if (ex)
        {
            switch (code)
            {
            case 0x2A:
                return VK_LSHIFT;
            case 0x36:
                return VK_RSHIFT;
            case 0x1D:
                return VK_LCONTROL;
            case 0xE01D:
                return VK_RCONTROL;
            case 0x38:
                return VK_LMENU;
            case 0xE038:
                return VK_RMENU;
            default:
                break;
            }
        }
        if (code > 0xFF)
            return 0;
        int i = FindByScan(*def, code);
        if (i >= 0)
            return def->vk[i];
        const FixedKey* k = FixedByScan(code);
        return k ? k->vk : 0;
    }
    case MAPVK_VK_TO_CHAR: {
        // The plain character; letters come as capitals, a dead key has the top bit set.
        int i = FindByVk(*def, code);
        if (i >= 0)
        {
            wchar_t c = IsCapsKey(*def, i) ? def->shift[i] : def->normal[i];
            return IsDead(*def, i, 0) ? (0x80000000u | c) : c;
        }
        if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9)
            return L'0' + (code - VK_NUMPAD0);
        if (code == VK_DECIMAL)
            return def->decimal;
        if (code == VK_DIVIDE)
            return L'/';
        const FixedKey* k = FixedByVk(code);
        return k ? k->ch : 0;
    }
    default:
        return 0;
    }
}

int CTableKeyboardLayer::ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer,
                                   int bufferSize, UINT flags, HKL layout)
{
    const LayoutDef* def = FindLayout(layout);
    if (!def)
        def = FindLayout(m_active);
    if (!def || (scanCode & 0x8000))
        return 0; // key releases give nothing
    const BYTE* state = keyState ? keyState : m_state;
    virtualKey &= 0xFF;

    bool shift = Down(state, VK_SHIFT) || Down(state, VK_LSHIFT) || Down(state, VK_RSHIFT);
    bool ctrl = Down(state, VK_CONTROL) || Down(state, VK_LCONTROL) || Down(state, VK_RCONTROL);
    bool alt = Down(state, VK_MENU) || Down(state, VK_LMENU) || Down(state, VK_RMENU);
    bool caps = (state[VK_CAPITAL] & 0x01) != 0;

    wchar_t ch = 0;
    bool dead = false;
    int i = FindByVk(*def, virtualKey);
    if (ctrl && alt)
    {
        if (i >= 0)
            ch = Column(*def, i, shift ? 3 : 2);
    }
    else if (ctrl)
    {
        // Control characters: Ctrl with a letter, with [ ] \ and a few fixed keys.
        if (virtualKey >= 'A' && virtualKey <= 'Z')
            ch = static_cast<wchar_t>(virtualKey - 0x40);
        else if (i >= 0 && def->normal[i] == L'[')
            ch = 0x1B;
        else if (i >= 0 && def->normal[i] == L']')
            ch = 0x1D;
        else if (i >= 0 && def->normal[i] == L'\\')
            ch = 0x1C;
        else if (virtualKey == VK_BACK)
            ch = 0x7F;
        else if (virtualKey == VK_RETURN)
            ch = 0x0A;
        else if (virtualKey == VK_SPACE)
            ch = L' ';
        else if (virtualKey == VK_ESCAPE)
            ch = 0x1B;
    }
    else if (i >= 0)
    {
        bool upper = shift;
        if (caps && IsCapsKey(*def, i))
            upper = !upper;
        ch = Column(*def, i, upper ? 1 : 0);
        dead = IsDead(*def, i, upper ? 1 : 0);
    }
    else if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        ch = static_cast<wchar_t>(L'0' + (virtualKey - VK_NUMPAD0));
    else if (virtualKey == VK_DECIMAL)
        ch = def->decimal;
    else if (virtualKey == VK_DIVIDE)
        ch = L'/';
    else if (const FixedKey* k = FixedByVk(virtualKey))
        ch = k->ch;

    if (!ch)
        return 0; // modifiers and the like leave a waiting dead key waiting

    bool keepState = (flags & 0x4) != 0;
    wchar_t out[2] = {0, 0};
    int n = 0;
    if (dead && !m_deadKey)
    {
        if (!keepState)
            m_deadKey = ch;
        out[0] = ch;
        n = -1;
    }
    else if (m_deadKey)
    {
        wchar_t composed = 0;
        if (!dead)
            for (size_t c = 0; c < def->composeCount; ++c)
                if (def->compose[c].dead == m_deadKey && def->compose[c].base == ch)
                    composed = def->compose[c].result;
        if (composed)
        {
            out[0] = composed;
            n = 1;
        }
        else
        {
            out[0] = m_deadKey;
            out[1] = ch;
            n = 2;
        }
        if (!keepState)
            m_deadKey = 0;
    }
    else
    {
        out[0] = ch;
        n = 1;
    }

    if (buffer && bufferSize > 0)
    {
        int count = n < 0 ? 1 : n;
        if (count > bufferSize)
            count = bufferSize;
        for (int k = 0; k < count; ++k)
            buffer[k] = out[k];
        if (count < bufferSize)
            buffer[count] = 0;
    }
    return n;
}

SHORT CTableKeyboardLayer::VkKeyScan(wchar_t ch, HKL layout)
{
    const LayoutDef* def = FindLayout(layout);
    if (!def)
        def = FindLayout(m_active);
    if (!def || !ch)
        return -1;
    static const int kShiftState[4] = {0, 1, 6, 7};
    for (int column = 0; column < 4; ++column)
        for (int i = 0; i < 48; ++i)
            if (Column(*def, i, column) == ch)
                return static_cast<SHORT>((kShiftState[column] << 8) | def->vk[i]);
    for (const FixedKey& k : kFixedKeys)
        if (k.ch == ch && k.vk != VK_MULTIPLY && k.vk != VK_ADD && k.vk != VK_SUBTRACT)
            return static_cast<SHORT>(k.vk);
    if (ch >= 0x01 && ch <= 0x1A)
        return static_cast<SHORT>((2 << 8) | (ch + 0x40));
    return -1;
}

HKL CTableKeyboardLayer::GetActiveLayout()
{
    return m_active;
}

BOOL CTableKeyboardLayer::GetActiveLayoutName(wchar_t klid[KL_NAMELENGTH])
{
    return GetLayoutKLID(m_active, klid);
}

int CTableKeyboardLayer::GetLayoutList(int count, HKL* list)
{
    int total = static_cast<int>(m_installed.size());
    if (count <= 0 || !list)
        return total;
    int n = count < total ? count : total;
    for (int i = 0; i < n; ++i)
        list[i] = m_installed[static_cast<size_t>(i)];
    return n;
}

BOOL CTableKeyboardLayer::GetLayoutKLID(HKL layout, wchar_t klid[KL_NAMELENGTH])
{
    const LayoutDef* def = FindLayout(layout);
    if (!def || !klid)
        return FALSE;
    swprintf(klid, KL_NAMELENGTH, L"%08lX", static_cast<unsigned long>(def->hkl & 0xFFFF));
    return TRUE;
}

HKL CTableKeyboardLayer::LoadLayout(const wchar_t* klid, UINT flags)
{
    HKL h = LayoutFromKLID(klid);
    if (!h)
        return nullptr;
    bool listed = false;
    for (HKL i : m_installed)
        listed = listed || i == h;
    if (!listed)
        m_installed.push_back(h);
    if (flags & KLF_ACTIVATE)
        m_active = h;
    return h;
}

HKL CTableKeyboardLayer::ActivateLayout(HKL layout, UINT)
{
    if (m_installed.empty())
        return nullptr;
    ULONG_PTR id = reinterpret_cast<ULONG_PTR>(layout);
    size_t current = 0;
    for (size_t i = 0; i < m_installed.size(); ++i)
        if (m_installed[i] == m_active)
            current = i;
    HKL previous = m_active;
    if (id == kHklNext)
        m_active = m_installed[(current + 1) % m_installed.size()];
    else if (id == kHklPrev)
        m_active = m_installed[(current + m_installed.size() - 1) % m_installed.size()];
    else
    {
        bool listed = false;
        for (HKL h : m_installed)
            listed = listed || h == layout;
        if (!listed)
            return nullptr;
        m_active = layout;
    }
    if (m_active != previous)
        m_deadKey = 0;
    return previous;
}

BOOL CTableKeyboardLayer::GetKeyboardState(BYTE state[256])
{
    if (!state)
        return FALSE;
    std::memcpy(state, m_state, sizeof m_state);
    return TRUE;
}

SHORT CTableKeyboardLayer::GetKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    BYTE b = m_state[virtualKey];
    unsigned short v = static_cast<unsigned short>(((b & 0x80) ? 0xFF80 : 0) | (b & 0x01));
    return static_cast<SHORT>(v);
}

UINT CTableKeyboardLayer::SendInput(UINT count, INPUT* inputs, int size)
{
    if (!inputs || size != static_cast<int>(sizeof(INPUT)))
        return 0;
    UINT taken = 0;
    for (UINT i = 0; i < count; ++i)
    {
        if (inputs[i].type != INPUT_KEYBOARD)
            continue;
        const KEYBDINPUT& k = inputs[i].ki;
        m_sent.push_back(k);
        ++taken;
        if (k.dwFlags & KEYEVENTF_UNICODE)
            continue;
        UINT code = k.wVk;
        if (k.dwFlags & KEYEVENTF_SCANCODE)
            code = MapVirtualKey(k.wScan, MAPVK_VSC_TO_VK, m_active);
        BYTE vk = static_cast<BYTE>(code);
        if (!vk)
            continue;
        if (k.dwFlags & KEYEVENTF_KEYUP)
            m_state[vk] = static_cast<BYTE>(m_state[vk] & ~0x80);
        else
        {
            if (!(m_state[vk] & 0x80))
                m_state[vk] ^= 0x01; // a new press flips the toggle
            m_state[vk] |= 0x80;
        }
    }
    return taken;
}

void CTableKeyboardLayer::SetInstalledLayouts(const std::vector<HKL>& layouts)
{
    m_installed.clear();
    for (HKL h : layouts)
        if (FindLayout(h))
            m_installed.push_back(h);
    bool listed = false;
    for (HKL h : m_installed)
        listed = listed || h == m_active;
    if (!listed && !m_installed.empty())
        m_active = m_installed.front();
}

bool CTableKeyboardLayer::SetActiveLayout(HKL layout)
{
    if (!FindLayout(layout))
        return false;
    bool listed = false;
    for (HKL h : m_installed)
        listed = listed || h == layout;
    if (!listed)
        m_installed.push_back(layout);
    m_active = layout;
    m_deadKey = 0;
    return true;
}

bool CTableKeyboardLayer::SetActiveLayout(const wchar_t* klid)
{
    HKL h = LayoutFromKLID(klid);
    return h ? SetActiveLayout(h) : false;
}

void CTableKeyboardLayer::SetKeyboardState(const BYTE state[256])
{
    if (state)
        std::memcpy(m_state, state, sizeof m_state);
}

void CTableKeyboardLayer::SetKeyState(int virtualKey, BYTE value)
{
    if (virtualKey >= 0 && virtualKey <= 255)
        m_state[virtualKey] = value;
}

void CTableKeyboardLayer::ClearKeyboardState()
{
    std::memset(m_state, 0, sizeof m_state);
}

void CTableKeyboardLayer::SetCapsLock(bool on)
{
    m_state[VK_CAPITAL] =
        static_cast<BYTE>(on ? (m_state[VK_CAPITAL] | 0x01) : (m_state[VK_CAPITAL] & ~0x01));
}

} // namespace KV
