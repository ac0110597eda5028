#include "platform/windows/pdh_query.h"

#include <windows.h>

#include <pdh.h>
#include <pdhmsg.h>

namespace tavlo {

Win32PdhQuery::Win32PdhQuery()
{
    PDH_HQUERY query = nullptr;
    if (PdhOpenQueryW(nullptr, 0, &query) == ERROR_SUCCESS)
        query_ = query;
}

Win32PdhQuery::~Win32PdhQuery()
{
    if (query_)
        PdhCloseQuery(query_);
}

bool Win32PdhQuery::add(int index, const std::wstring& englishPath)
{
    PDH_HCOUNTER counter = nullptr;
    if (!query_ || PdhAddEnglishCounterW(query_, englishPath.c_str(), 0, &counter) != ERROR_SUCCESS)
        return false;
    counters_[index] = counter;
    return true;
}

bool Win32PdhQuery::collect()
{
    return query_ && PdhCollectQueryData(query_) == ERROR_SUCCESS;
}

std::optional<double> Win32PdhQuery::value(int index)
{
    const auto found = counters_.find(index);
    if (found == counters_.end())
        return std::nullopt;
    // Uncapped, so that the disk time passes 100 while requests queue, as
    // the system's own monitor shows it.
    PDH_FMT_COUNTERVALUE value{};
    const PDH_STATUS status
        = PdhGetFormattedCounterValue(found->second, PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, nullptr, &value);
    if (status != ERROR_SUCCESS || (value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA))
        return std::nullopt;
    return value.doubleValue;
}

}  // namespace tavlo
