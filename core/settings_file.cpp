#include "core/settings_file.h"

#include <limits>
#include <string>

#include "core/colour.h"
#include "core/settings_record.h"

namespace tavlo {
namespace {

FileTask taskOf(const IoStatus& status, FileTask task)
{
    return status.untrusted ? FileTask::Untrusted : task;
}

}  // namespace

bool openSettingsFile(const SettingsFile& file, const SessionInfo& session, SettingsStore& store)
{
    const char sep = session.separator();
    const std::string folder = session.currentDirectory() + sep + "QvrnData";
    const IoStatus folderStatus = file.files.ensureFolder(folder);
    if (!folderStatus.ok)
        file.failures.report(taskOf(folderStatus, FileTask::CreateFolder), folder, folderStatus.reason);

    store.UName = session.userName();
    store.Fil = folder + sep + store.UName + ".qvn";

    std::uint64_t length = 0;
    // A folder that could not be made was reported already; its file cannot open either.
    const IoStatus openStatus = file.files.openOrCreate(store.Fil, length);
    if (!openStatus.ok && folderStatus.ok)
        file.failures.report(taskOf(openStatus, FileTask::OpenFile), store.Fil, openStatus.reason);
    if (!openStatus.ok || recordCount(length) < 1)
        return false;
    file.files.clearReadOnly(store.Fil);
    return true;
}

bool loadSettingsRecord(const SettingsFile& file, SettingsStore& store)
{
    std::string bytes;
    const IoStatus status = file.files.read(store.Fil, 0, kRecordSize, bytes);
    if (!status.ok) {
        file.failures.report(FileTask::ReadFile, store.Fil, status.reason);
        return false;
    }
    decodeRecord(bytes, file.codec, store);
    trimPersistedFields(store);
    return true;
}

bool saveSettingsRecord(const SettingsFile& file, SettingsStore& store)
{
    const std::string& path = store.Fil;
    // Bytes behind record 1 belong to nobody we know of; they are kept.
    std::string tail;
    IoStatus status = file.files.read(path, kRecordSize, std::numeric_limits<std::size_t>::max(), tail);
    if (status.ok)
        status = file.files.replace(path, encodeRecord(store, file.codec) + tail);
    if (!status.ok)
        file.failures.report(FileTask::SaveFile, path, status.reason);

    if (allColourFieldsEmpty(store))
        store.AllClor = std::to_string(kSilver);
    return status.ok;
}

}  // namespace tavlo
