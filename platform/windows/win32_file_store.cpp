#include "platform/windows/win32_file_store.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <winioctl.h>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

#include "platform/place_refusals.h"
#include "platform/windows/system_message.h"
#include "platform/windows/under_wine.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_place_trust.h"

namespace tavlo {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~Handle() { close(); }

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close()
    {
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle);
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

IoStatus failure(DWORD error)
{
    return IoStatus::failure(systemReason(error));
}

IoStatus refusal(Verdict verdict)
{
    switch (verdict) {
    case Verdict::use:
    case Verdict::follow:
        break;
    case Verdict::refuseLink:
        return IoStatus::refused(kIsALink);
    case Verdict::refuseOwner:
        return IoStatus::refused(kOthersOwnIt);
    case Verdict::refuseWriters:
        return IoStatus::refused(kOthersCanWrite);
    }
    return IoStatus::success();
}

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// "C:\a\b" as "C:\a" and "b"; a root keeps its separator ("C:\").
std::pair<std::wstring, std::wstring> split(const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {L".", path};
    const bool root = slash == 0 || path[slash - 1] == L':';
    return {path.substr(0, root ? slash + 1 : slash), path.substr(slash + 1)};
}

std::wstring join(const std::wstring& folder, const std::wstring& name)
{
    return !folder.empty() && isSeparator(folder.back()) ? folder + name : folder + L'\\' + name;
}

// A volume without access lists (FAT on a stick or a card) has no owners
// to tell apart: whoever holds it may write it, the user included.
bool keepsAccessLists(HANDLE handle)
{
    DWORD flags = 0;
    if (!GetVolumeInformationByHandleW(handle, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        return true;
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

// The trust of what the handle holds; of a link only its owner counts.
Trust trustOf(HANDLE handle, bool ownerOnly)
{
    if (!keepsAccessLists(handle))
        return Trust::own;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
            &dacl, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return Trust::othersOwnIt;  // what cannot be told is not trusted
    Trust trust = judgeSecurity(owner, dacl, processPrincipal());
    LocalFree(descriptor);
    if (ownerOnly && trust == Trust::othersCanWrite)
        trust = Trust::own;
    return trust;
}

// A reparse point that stands for another name: a symbolic link or a
// junction, not a file kept in the cloud or deduplicated.
bool isLink(HANDLE handle, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return IsReparseTagNameSurrogate(tag.ReparseTag);
    return true;
}

// The layout of FSCTL_GET_REPARSE_POINT's answer for the two kinds of link.
struct ReparseHeader {
    DWORD tag;
    WORD length;
    WORD reserved;
    WORD substituteOffset;
    WORD substituteLength;
    WORD printOffset;
    WORD printLength;
};

// Where the link held open leads, as a path: one step, not to its end.
bool linkTarget(HANDLE link, const std::wstring& linkFolder, std::wstring& target)
{
    std::vector<BYTE> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(), static_cast<DWORD>(buffer.size()),
            &size, nullptr))
        return false;
    ReparseHeader header{};
    std::copy_n(buffer.data(), sizeof header, reinterpret_cast<BYTE*>(&header));
    std::size_t names = sizeof header;
    ULONG flags = 0;
    if (header.tag == IO_REPARSE_TAG_SYMLINK) {
        std::copy_n(buffer.data() + names, sizeof flags, reinterpret_cast<BYTE*>(&flags));
        names += sizeof flags;
    } else if (header.tag != IO_REPARSE_TAG_MOUNT_POINT) {
        SetLastError(ERROR_REPARSE_TAG_INVALID);
        return false;
    }
    if (names + header.substituteOffset + header.substituteLength > size) {
        SetLastError(ERROR_INVALID_REPARSE_DATA);
        return false;
    }
    std::wstring substitute(header.substituteLength / sizeof(wchar_t), L'\0');
    std::copy_n(buffer.data() + names + header.substituteOffset, header.substituteLength,
        reinterpret_cast<BYTE*>(substitute.data()));
    if (flags & SYMLINK_FLAG_RELATIVE)
        target = join(linkFolder, substitute);
    else if (substitute.rfind(L"\\??\\", 0) == 0)
        target = L"\\\\?\\" + substitute.substr(4);  // the same object, in the form CreateFileW takes
    else
        target = substitute;
    return true;
}

std::wstring finalPathOf(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
}

// A folder held open, and the path to reach what it holds.
struct Folder {
    Handle handle;
    std::wstring path;
};

IoStatus openTrustedFolder(const std::wstring& path, Folder& folder, bool* missing)
{
    constexpr DWORD access = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | READ_CONTROL | SYNCHRONIZE;
    // Not shared for deleting: while it is held, nobody renames it or puts a link in its place.
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const auto open = [&](DWORD flags) {
        return Handle(CreateFileW(
            path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
    };
    Handle handle = open(FILE_FLAG_OPEN_REPARSE_POINT);
    if (!handle) {
        const DWORD error = GetLastError();
        if (missing)
            *missing = isMissing(error);
        return failure(error);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle.get(), &info))
        return failure(GetLastError());
    const bool link = isLink(handle.get(), info.dwFileAttributes);
    Verdict verdict = judgeEntry({link, trustOf(handle.get(), link)}, true);
    std::wstring reached = path;
    if (verdict == Verdict::follow) {
        // The system takes the link to the folder it leads to, which must
        // be the user's own as any other.
        handle = open(0);
        if (!handle || !GetFileInformationByHandle(handle.get(), &info)
            || (reached = finalPathOf(handle.get())).empty())
            return failure(GetLastError());
        verdict = judgeEntry({false, trustOf(handle.get(), false)}, false);
    }
    if (verdict != Verdict::use)
        return refusal(verdict);
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return failure(ERROR_DIRECTORY);
    folder = {std::move(handle), std::move(reached)};
    return IoStatus::success();
}

// Where a file is: a trusted folder, a name in it, and whether it is there.
struct Place {
    Folder folder;
    std::wstring name;
    bool exists = false;

    std::wstring path() const { return join(folder.path, name); }
};

// Checks what `name` in the trusted folder is: nothing yet, or the user's
// own file. The user's own link is followed once, to a name in a folder
// that is checked in turn.
IoStatus resolve(Folder folder, const std::wstring& name, Place& place, bool mayFollow = true)
{
    const std::wstring path = join(folder.path, name);
    const Handle entry(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL, kShareAll, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!entry) {
        const DWORD error = GetLastError();
        if (!isMissing(error))
            return failure(error);
        place = {std::move(folder), name, false};
        return IoStatus::success();
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(entry.get(), &info))
        return failure(GetLastError());
    const bool link = isLink(entry.get(), info.dwFileAttributes);
    const Verdict verdict = judgeEntry({link, trustOf(entry.get(), link)}, mayFollow);
    if (verdict == Verdict::follow) {
        std::wstring target;
        if (!linkTarget(entry.get(), folder.path, target))
            return failure(GetLastError());
        const auto [targetFolder, targetName] = split(target);
        Folder next;
        if (IoStatus status = openTrustedFolder(targetFolder, next, nullptr); !status.ok)
            return status;
        return resolve(std::move(next), targetName, place, false);
    }
    if (verdict != Verdict::use)
        return refusal(verdict);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return failure(ERROR_ACCESS_DENIED);  // as opening a folder for its bytes says
    if (GetFileType(entry.get()) != FILE_TYPE_DISK)
        return IoStatus::refused(kNotAFile);
    place = {std::move(folder), name, true};
    return IoStatus::success();
}

// The place of the file at `path`; `missing` tells when its folder is not there.
IoStatus placeOf(const std::string& path, Place& place, bool* missing = nullptr)
{
    const auto [folderPath, name] = split(toWide(path));
    Folder folder;
    if (IoStatus status = openTrustedFolder(folderPath, folder, missing); !status.ok)
        return status;
    return resolve(std::move(folder), name, place);
}

// Opens the file of the place, never through a link, and only when it is
// the user's own file on a disk.
IoStatus openFile(const Place& place, DWORD access, DWORD disposition, Handle& file, bool* missing = nullptr)
{
    file = Handle(CreateFileW(place.path().c_str(), access | READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
        disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (missing)
            *missing = isMissing(error);
        return failure(error);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        return failure(GetLastError());
    if (isLink(file.get(), info.dwFileAttributes))
        return IoStatus::refused(kIsALink);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A file kept in the cloud or deduplicated: its content is reached
        // through the system's filter, opened as any file.
        file = Handle(CreateFileW(place.path().c_str(), access | READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !GetFileInformationByHandle(file.get(), &info))
            return failure(GetLastError());
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return failure(ERROR_ACCESS_DENIED);
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return IoStatus::refused(kNotAFile);
    if (const Verdict verdict = judgeEntry({false, trustOf(file.get(), false)}, false); verdict != Verdict::use)
        return refusal(verdict);
    return IoStatus::success();
}

// The start of the name of a temporary file that a save of `name` writes.
std::wstring temporaryPrefix(const std::wstring& name)
{
    return name + L".tmp-";
}

std::wstring temporaryName(const std::wstring& name)
{
    static std::atomic<unsigned> counter{0};
    return temporaryPrefix(name) + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
}

// A name that temporaryName gave for `name`: the prefix (in any case, as
// the file system compares names), digits, "-", digits.
bool temporaryNameOf(const std::wstring& found, const std::wstring& name)
{
    const std::wstring prefix = temporaryPrefix(name);
    if (found.size() < prefix.size()
        || CompareStringOrdinal(
               found.c_str(), static_cast<int>(prefix.size()), prefix.c_str(), static_cast<int>(prefix.size()), TRUE)
            != CSTR_EQUAL)
        return false;
    const std::wstring_view rest = std::wstring_view(found).substr(prefix.size());
    const auto dash = rest.find(L'-');
    const auto digits = [](std::wstring_view text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    };
    return dash != std::wstring_view::npos && digits(rest.substr(0, dash)) && digits(rest.substr(dash + 1));
}

// Drops the read-only attribute of the open file, keeping the others.
bool makeWritable(HANDLE file)
{
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        return false;
    if (!(basic.FileAttributes & FILE_ATTRIBUTE_READONLY))
        return true;
    basic.FileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (basic.FileAttributes == 0)
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
}

bool deleteThrough(HANDLE file)
{
    FILE_DISPOSITION_INFO dispose{TRUE};
    return SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
}

// Temporary files of saves that a kill or a power cut interrupted: only
// the user's own files of exactly those names, each deleted through the
// handle that was checked.
void removeLeftovers(const Place& place)
{
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = join(place.folder.path, temporaryPrefix(place.name) + L"*");
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!temporaryNameOf(found.cFileName, place.name) || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        const std::wstring path = join(place.folder.path, found.cFileName);
        const Handle file(CreateFileW(path.c_str(), DELETE | READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (file && GetFileInformationByHandle(file.get(), &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            && !isLink(file.get(), info.dwFileAttributes) && trustOf(file.get(), true) == Trust::own)
            deleteThrough(file.get());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool writeAll(HANDLE file, std::string_view content)
{
    while (!content.empty()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), wanted, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

// Errors of ReplaceFileW after which a plain rename still does the job:
// the file went away meanwhile, the replacement was left under its own
// name, or the file system does not offer the call.
bool moveMayFinish(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_CALL_NOT_IMPLEMENTED:
        return true;
    default:
        return false;
    }
}

// Wine's ReplaceFileW moves the old file aside, deletes it and only then
// moves the new one in: a kill between the steps leaves no file at all.
// Its MoveFileExW is a single rename, whole at every moment.
bool replaceFileKeepsTheOldWhole()
{
    return !runningUnderWine();
}

// Replaces the file of the place through a temporary file beside it.
IoStatus replaceIn(const Place& place, std::string_view content)
{
    const std::wstring temporary = join(place.folder.path, temporaryName(place.name));
    Handle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return failure(GetLastError());
    if (!writeAll(file.get(), content) || !FlushFileBuffers(file.get())) {
        const DWORD error = GetLastError();
        deleteThrough(file.get());
        return failure(error);
    }
    if (!file.close()) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return failure(error);
    }

    const std::wstring target = place.path();
    bool done = place.exists && replaceFileKeepsTheOldWhole()
        && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
            REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr);
    DWORD error = done                                  ? ERROR_SUCCESS
        : place.exists && replaceFileKeepsTheOldWhole() ? GetLastError()
                                                        : ERROR_FILE_NOT_FOUND;
    if (!done && moveMayFinish(error)) {
        done = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        error = done ? ERROR_SUCCESS : GetLastError();
    }
    if (!done) {
        DeleteFileW(temporary.c_str());
        return failure(error);
    }
    return IoStatus::success();
}

// Only the user, the system and the administrators may change the folder
// or what it will hold; nothing is inherited from the folder above, which
// may let everyone in (the root of a drive lets users make and change).
DWORD createPrivateFolder(const std::wstring& path)
{
    const Principal& me = processPrincipal();
    wchar_t* user = nullptr;
    if (!me.user)
        return ERROR_INVALID_SID;
    if (!ConvertSidToStringSidW(me.user, &user))
        return GetLastError();
    const std::wstring sddl = std::wstring(L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;") + user + L")";
    LocalFree(user);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return GetLastError();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const bool made = CreateDirectoryW(path.c_str(), &attributes);
    const DWORD error = GetLastError();
    LocalFree(descriptor);
    return made ? ERROR_SUCCESS : error;
}

}  // namespace

IoStatus Win32FileStore::ensureFolder(const std::string& path)
{
    const std::wstring wide = toWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Made meanwhile by another start of the gadget: checked below as any other.
        if (const DWORD error = createPrivateFolder(wide); error != ERROR_SUCCESS && error != ERROR_ALREADY_EXISTS)
            return failure(error);
    } else if (!(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return failure(ERROR_ALREADY_EXISTS);  // the name is a file's: what CreateDirectoryW says
    }
    Folder folder;
    return openTrustedFolder(wide, folder, nullptr);
}

IoStatus Win32FileStore::openOrCreate(const std::string& path, std::uint64_t& length)
{
    Place place;
    Handle file;
    if (IoStatus status = placeOf(path, place); !status.ok)
        return status;
    if (IoStatus status = openFile(place, GENERIC_READ, OPEN_ALWAYS, file); !status.ok)
        return status;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return failure(GetLastError());
    length = static_cast<std::uint64_t>(size.QuadPart);
    removeLeftovers(place);
    return IoStatus::success();
}

void Win32FileStore::clearReadOnly(const std::string& path)
{
    Place place;
    Handle file;
    if (placeOf(path, place).ok && place.exists && openFile(place, 0, OPEN_EXISTING, file).ok)
        SetFileAttributesW(place.path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

IoStatus Win32FileStore::read(const std::string& path, std::uint64_t offset, std::size_t count, std::string& bytes)
{
    bytes.clear();
    Place place;
    Handle file;
    bool missing = false;
    if (IoStatus status = placeOf(path, place, &missing); !status.ok)
        return missing ? IoStatus::success() : status;
    if (!place.exists)
        return IoStatus::success();
    if (IoStatus status = openFile(place, GENERIC_READ, OPEN_EXISTING, file, &missing); !status.ok)
        return missing ? IoStatus::success() : status;
    std::vector<char> buffer(1u << 16);
    std::uint64_t position = offset;
    while (bytes.size() < count) {
        const DWORD wanted = static_cast<DWORD>(std::min(buffer.size(), count - bytes.size()));
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), wanted, &got, &at)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break;
            return failure(error);
        }
        if (got == 0)
            break;
        bytes.append(buffer.data(), got);
        position += got;
    }
    return IoStatus::success();
}

IoStatus Win32FileStore::replace(const std::string& path, std::string_view content)
{
    Place place;
    if (IoStatus status = placeOf(path, place); !status.ok)
        return status;
    if (place.exists) {
        // The file in place must be one the store may use, and writable:
        // ReplaceFileW and MoveFileExW refuse a read-only target, where a
        // save on Linux replaces it all the same.
        Handle file;
        if (IoStatus status = openFile(place, FILE_WRITE_ATTRIBUTES, OPEN_EXISTING, file); !status.ok)
            return status;
        if (!makeWritable(file.get()))
            return failure(GetLastError());
    }
    return replaceIn(place, content);
}

}  // namespace tavlo
