#pragma once
// Per-character statistics of a typed text: occurrences, errors and irregular strokes.
#include "kvfwctrl/kvfwctrl_api.h"
#include <cstddef>
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVFWCTRL_API CStatLetter
{
public:
    CStatLetter() : m_cLetter(0), m_nNumber(0), m_nErrors(0), m_nIrreg(0) {}
    explicit CStatLetter(const CStatLetter* other);
    CStatLetter(const CStatLetter& other) = default;
    CStatLetter& operator=(const CStatLetter& other) = default;

    void SetLetter(wchar_t letter) { m_cLetter = letter; }
    wchar_t GetLetter() const { return m_cLetter; }
    // The character followed by a terminating 0, cut to size units (2 without a size).
    void GetLetter(wchar_t* buffer, size_t size) const;
    void GetLetter(wchar_t* buffer) const { GetLetter(buffer, 2); }

    void SetNumber(unsigned short number) { m_nNumber = number; }
    unsigned short GetNumber() const { return m_nNumber; }
    void IncNum() { ++m_nNumber; }
    unsigned short GetError() const { return m_nErrors; }
    void IncErrors() { ++m_nErrors; }
    void SetIrreg(unsigned short irreg) { m_nIrreg = irreg; }
    unsigned short GetIrreg() const { return m_nIrreg; }
    void IncIrreg() { ++m_nIrreg; }

    void AddStatLetter(wchar_t letter, unsigned short number, unsigned short errors, unsigned short irreg);

    // Per cent of the occurrences, truncated; 0 without occurrences.
    int GetErrorRatio() const;
    int GetIrregRatio() const;

    // Decimal texts ("%i") of the values, cut to size units with the terminating 0. The forms
    // without a size write at most kNumberTextSize units.
    static const size_t kNumberTextSize = 32;
    void GetNumber(wchar_t* buffer, size_t size) const;
    void GetError(wchar_t* buffer, size_t size) const;
    void GetIrreg(wchar_t* buffer, size_t size) const;
    void GetErrorRatio(wchar_t* buffer, size_t size) const;
    void GetIrregRatio(wchar_t* buffer, size_t size) const;
    void GetNumber(wchar_t* buffer) const { GetNumber(buffer, kNumberTextSize); }
    void GetError(wchar_t* buffer) const { GetError(buffer, kNumberTextSize); }
    void GetIrreg(wchar_t* buffer) const { GetIrreg(buffer, kNumberTextSize); }
    void GetErrorRatio(wchar_t* buffer) const { GetErrorRatio(buffer, kNumberTextSize); }
    void GetIrregRatio(wchar_t* buffer) const { GetIrregRatio(buffer, kNumberTextSize); }

    bool IsSpace() const { return m_cLetter == L' '; }
    void Clear();

    // Adds the counts; the letter is kept.
    CStatLetter& operator+=(const CStatLetter& other);

    // Version 2: letter, number, errors, irregular.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

private:
    wchar_t m_cLetter;
    unsigned short m_nNumber;
    unsigned short m_nErrors;
    unsigned short m_nIrreg;
};

class KVFWCTRL_API CStatLetterList
{
public:
    // Read-only view of the records in order (index, size, iteration); the list owns them.
    class KVFWCTRL_API CRecords
    {
    public:
        class const_iterator
        {
        public:
            explicit const_iterator(const CStatLetter* p) : m_p(p) {}
            const CStatLetter* operator*() const { return m_p; }
            const_iterator& operator++()
            {
                ++m_p;
                return *this;
            }
            bool operator!=(const const_iterator& other) const { return m_p != other.m_p; }
            bool operator==(const const_iterator& other) const { return m_p == other.m_p; }

        private:
            const CStatLetter* m_p;
        };

        size_t size() const { return m_records->size(); }
        bool empty() const { return m_records->empty(); }
        const CStatLetter* operator[](size_t index) const { return &(*m_records)[index]; }
        const_iterator begin() const { return const_iterator(m_records->data()); }
        const_iterator end() const { return const_iterator(m_records->data() + m_records->size()); }

    private:
        friend class CStatLetterList;
        explicit CRecords(const std::vector<CStatLetter>* records) : m_records(records) {}
        const std::vector<CStatLetter>* m_records;
    };

    CStatLetterList() : m_letters(&m_records), m_nAllNumber(0) {}
    CStatLetterList(const CStatLetterList& other);
    virtual ~CStatLetterList();

    // Fills the list from a typed text and its per-position marks (0 right, 1 error,
    // 2 irregular; null marks count as all right). With onlyFaulty 1 only characters with
    // errors or irregular strokes are kept; sortOrder 1 sorts by occurrences, 2 by error
    // ratio, largest first. Runs in one pass over the text.
    void AddStatistic(const wchar_t* text, const short* marks, unsigned long onlyFaulty,
                      unsigned long sortOrder);
    // Frequency table of text over the characters of symbols, most frequent first.
    void AddStatistic(const wchar_t* symbols, const wchar_t* text);

    unsigned short GetAllNumber() const { return m_nAllNumber; }
    // Texts cut to size units; the forms without a size write at most kNumberTextSize units.
    void GetAllNumberStr(wchar_t* buffer, size_t size) const;
    void GetAllNumberStr(wchar_t* buffer) const { GetAllNumberStr(buffer, CStatLetter::kNumberTextSize); }
    // Sum (16 bits) of numbers (1), errors (2) or irregular strokes (3); 0 for other kinds.
    unsigned short GetParam(unsigned short kind) const;
    double GetRatioNumber(unsigned long index) const;
    void GetRatioNumber(unsigned long index, wchar_t* buffer, size_t size) const;
    void GetRatioNumber(unsigned long index, wchar_t* buffer) const
    {
        GetRatioNumber(index, buffer, CStatLetter::kNumberTextSize);
    }
    // Largest share in per cent of a character other than the space.
    double GetRatioMax() const;

    // Appends a copy of record, whatever the list holds already.
    void Append(const CStatLetter& record) { m_records.push_back(record); }
    CStatLetterList& operator+=(const CStatLetterList& other);
    CStatLetterList& operator=(const CStatLetterList& other);
    // Removes every record; the total characters stay.
    void Clear();

    // Version 1: count, then the letter records. The total characters are not stored.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

private:
    std::vector<CStatLetter> m_records;

public:
    // One record per character; read by index and size.
    const CRecords m_letters;

private:
    unsigned short GetNumSymbol(wchar_t letter, const wchar_t* text) const;
    void AddStatLetter(wchar_t letter, unsigned short number, unsigned short errors, unsigned short irreg);
    void Sort(unsigned long sortOrder);

    unsigned short m_nAllNumber;
};

} // namespace KV
