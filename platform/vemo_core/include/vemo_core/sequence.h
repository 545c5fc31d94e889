#pragma once

#include "vemo_core/codes.h"
#include "vemo_core/types.h"
#include "utilon/cout_buffer.h"

#include <cstddef>
#include <ios>
#include <ostream>
#include <type_traits>
#include <vector>

namespace cmn {

// A time-ordered sequence of fixed-size records of one kind (T::evt_code).
template<class T>
class SequenceTemplate {
    static_assert(std::is_trivially_copyable_v<T>, "sequences hold raw records");

public:
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;
    using iterator = typename std::vector<T>::iterator;

    SequenceTemplate() = default;
    explicit SequenceTemplate(std::vector<T> entries)
        : entries_(std::move(entries))
    {
    }
    SequenceTemplate(const SequenceTemplate&) = default;
    SequenceTemplate& operator=(const SequenceTemplate&) = default;
    SequenceTemplate(SequenceTemplate&&) noexcept = default;
    SequenceTemplate& operator=(SequenceTemplate&&) noexcept = default;

    virtual UInt8 code() const { return T::evt_code; }

    // The code byte, the entry count as 4-byte little-endian unsigned, then the raw records.
    virtual void Serialize(std::ostream& out) const = 0;

    virtual std::size_t count() const { return entries_.size(); }

    virtual void Describe(utilon::CoutBuffer& out) const { DescribeTo(out); }

    // "<kind name>Sequence(code=0x62, event count = 3)"
    virtual void Describe(std::ostream& out) const { DescribeTo(out); }

    virtual void Dump(utilon::CoutBuffer& out, int level) const { DumpTo(out, level); }

    virtual void Dump(std::ostream& out, int level) const { DumpTo(out, level); }

    virtual ~SequenceTemplate() = default;

    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const T& operator[](std::size_t i) const { return entries_[i]; }
    T& operator[](std::size_t i) { return entries_[i]; }
    void push_back(const T& entry) { entries_.push_back(entry); }
    const std::vector<T>& entries() const { return entries_; }

protected:
    void SerializeRecords(std::ostream& out) const
    {
        const char kind = static_cast<char>(code());
        out.write(&kind, 1);
        const auto n = static_cast<std::uint32_t>(entries_.size());
        const char countBytes[4] = {static_cast<char>(n & 0xff), static_cast<char>((n >> 8) & 0xff),
            static_cast<char>((n >> 16) & 0xff), static_cast<char>((n >> 24) & 0xff)};
        out.write(countBytes, 4);
        if (!entries_.empty())
            out.write(reinterpret_cast<const char*>(entries_.data()),
                static_cast<std::streamsize>(entries_.size() * sizeof(T)));
    }

private:
    template<class Stream>
    void DescribeTo(Stream& out) const
    {
        const auto name = codes::editNameByVemoEventCode.find(code());
        if (name != codes::editNameByVemoEventCode.end())
            out << name->second;
        const std::ios_base::fmtflags flags = out.flags();
        out << "Sequence(code=" << std::hex << std::showbase << static_cast<unsigned>(code());
        out.flags(flags);
        out << ", event count = " << count() << ")";
    }

    template<class Stream>
    void DumpTo(Stream& out, int level) const
    {
        WriteTabs(out, level);
        DescribeTo(out);
        out << std::endl;
        for (const T& entry : entries_) {
            WriteTabs(out, level + 1);
            entry.WriteString(out);
            out << std::endl;
        }
    }

    static void WriteTabs(std::ostream& out, int level)
    {
        for (int i = 0; i < level; ++i)
            out.put('\t');
    }

    std::vector<T> entries_;
};

} // namespace cmn

namespace TL {

template<class T>
class TimelineSequence : public cmn::SequenceTemplate<T> {
public:
    using cmn::SequenceTemplate<T>::SequenceTemplate;

    void Serialize(std::ostream& out) const override { this->SerializeRecords(out); }
};

} // namespace TL
