#include "platform/windows/shell_launcher.h"

#include <shellapi.h>

#include "platform/windows/com_apartment.h"
#include "platform/windows/command_line.h"
#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

bool invokeVerb(HWND owner, const std::wstring& verb, const std::wstring& file)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    info.nShow = SW_HIDE;  // 0: a property sheet shows itself all the same
    if (!ShellExecuteExW(&info))
        return false;
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return true;
}

bool run(HWND owner, const std::wstring& file, const std::wstring& parameters, const std::wstring& directory)
{
    const HINSTANCE result = ShellExecuteW(owner, nullptr, file.c_str(),
        parameters.empty() ? nullptr : parameters.c_str(), directory.c_str(), SW_SHOWNORMAL);
    // A value above 32 is success; the rest are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool ShellLauncher::start(const ToolProgram& program, const std::string& workingDirectory)
{
    // Shell extensions that carry out a verb or an association are COM
    // objects: the shell wants COM on the calling thread.
    const ComApartment com;
    if (!program.verb.empty())
        return invokeVerb(owner_, toWide(program.verb), toWide(program.program));
    return run(owner_, toWide(program.program), toWide(joinArguments(program.arguments)), toWide(workingDirectory));
}

}  // namespace tavlo
