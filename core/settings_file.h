#pragma once

#include "core/failure_reporter.h"
#include "core/settings_store.h"
#include "platform/file_store.h"
#include "platform/session_info.h"
#include "platform/text_codec.h"

namespace tavlo {

// The settings file of the user and what reads and writes it.
struct SettingsFile {
    FileStore& files;
    const TextCodec& codec;
    FailureReporter& failures;
};

// Makes the folder "QvrnData" in the current directory and opens the user's
// file "<user>.qvn" in it, creating it when missing; sets UName and Fil.
// True when the file holds a settings record; a failure is reported and
// counts as no record.
bool openSettingsFile(const SettingsFile& file, const SessionInfo& session, SettingsStore& store);

// Reads record 1 into the persisted fields and trims them; false (and
// reported) when it cannot be read.
bool loadSettingsRecord(const SettingsFile& file, SettingsStore& store);

// Writes record 1 and keeps whatever follows it; every failure is reported.
// With no colour set at all, AllClor takes silver afterwards.
bool saveSettingsRecord(const SettingsFile& file, SettingsStore& store);

}  // namespace tavlo
