#include "core/failure_reporter.h"

namespace tavlo {
namespace {

const char* headline(FileTask task)
{
    switch (task) {
    case FileTask::CreateFolder:
        return "設定フォルダを作成できませんでした。";
    case FileTask::OpenFile:
        return "設定ファイルを開けませんでした。";
    case FileTask::ReadFile:
        return "設定ファイルを読み込めませんでした。";
    case FileTask::SaveFile:
        return "設定ファイルを保存できませんでした。";
    case FileTask::Untrusted:
        return "安全のため、設定の保存場所を使用しません。";
    }
    return "";
}

}  // namespace

std::string failureMessage(FileTask task, const std::string& path, const std::string& reason)
{
    return std::string(headline(task)) + "\r" + path + "\r" + reason + "\r" + "現在の設定のまま動作を続けます。";
}

void FailureReporter::report(FileTask task, const std::string& path, const std::string& reason)
{
    if (task == FileTask::SaveFile || reported_.emplace(task, path, reason).second)
        notifier_.showMessage(failureMessage(task, path, reason));
}

}  // namespace tavlo
