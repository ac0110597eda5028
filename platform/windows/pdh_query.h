#pragma once

#include <map>
#include <optional>
#include <string>

namespace tavlo {

// The few PDH calls the counter source makes: one query whose counters are
// known by the source's own indices.
class PdhQuery {
public:
    virtual ~PdhQuery() = default;
    // Adds a counter by its English path, which a Windows in any language
    // finds; false when the system has no such counter.
    virtual bool add(int index, const std::wstring& englishPath) = 0;
    // Samples every counter added; false when the query could not.
    virtual bool collect() = 0;
    // A counter's value from the latest collection (a rate's from the latest
    // two), or nothing while PDH cannot give one.
    virtual std::optional<double> value(int index) = 0;
};

// The system's PDH: one query opened for the life of the object.
class Win32PdhQuery final : public PdhQuery {
public:
    Win32PdhQuery();
    ~Win32PdhQuery() override;
    Win32PdhQuery(const Win32PdhQuery&) = delete;
    Win32PdhQuery& operator=(const Win32PdhQuery&) = delete;

    bool add(int index, const std::wstring& englishPath) override;
    bool collect() override;
    std::optional<double> value(int index) override;

private:
    void* query_ = nullptr;
    std::map<int, void*> counters_;
};

}  // namespace tavlo
