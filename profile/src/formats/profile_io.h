#pragma once
// Filling jobs from files, the clipboard and caller streams (with format
// detection), and saving them back.
#include "core/job.h"
#include "formats/profile_writer.h"

#include <memory>
#include <string>

namespace tbpr {

// A null path gives a new empty job; the job's lastError tells the outcome.
std::unique_ptr<ProfJob> openProfileJobFromFile(const char *path, bool exclusive);
std::unique_ptr<ProfJob> openProfileJobFromClipboard();
std::unique_ptr<ProfJob> openProfileJobFromStream(ProfStream *stream, const std::string &rootName, int depth);

// Detects the form of the file and reads it into the job's root; false on
// failure (lastError -7 for a parse error).
bool loadProfileJob(ProfJob &job, File &file);

// 0, -3 (cannot open), -4 (lock or write failed) or -9 (the text form cannot hold an item).
int saveProfileJob(ProfJob &job, const char *path, SaveFormat format);
// 0, -4 or -9.
int saveProfileJobToStream(ProfStream *stream, ProfJob &job, SaveFormat format);
// 0, -3, -4, -8 or -9.
int saveProfileJobToClipboard(ProfJob &job, SaveFormat format);
bool clipboardHoldsProfile();

} // namespace tbpr
