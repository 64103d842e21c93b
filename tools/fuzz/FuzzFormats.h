#pragma once
// The readers under test, one row per file format. To add a format, add a row to the table in
// FuzzFormats.cpp: a name, the file extension, the seeds and a function that hands one mutant
// to the reader.
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

struct CFormat
{
    const char* name;
    // Each mutant is written to a file of this extension (stream readers get the bytes too).
    const wchar_t* extension;
    // Shipped files (under the program's folder) and seeds built in code.
    std::vector<std::string> (*seeds)();
    // Reads one mutant, from the bytes or from the file that holds them.
    void (*read)(const std::string& bytes, const std::wstring& file, uint64_t iteration);
    // Ogg pages get their CRCs mended on every other mutant, so that the decoder is reached.
    bool mendOggCrc;
};

const std::vector<CFormat>& Formats();
const CFormat* FindFormat(const std::string& name);

// Sets up what the readers rely on (silent message boxes, the keyboard tables).
void PrepareReaders(const std::wstring& tempDir);

} // namespace fuzz
