#pragma once

#include "base/LineList.h"

#include <filesystem>

namespace listorix {

// A category's cache file: the cleaned answer lines of its last answered fetch,
// each ended by CR LF.

// Appends the file's lines to `lines` (CR LF, LF or CR end a line). False, with
// `lines` untouched, when the file is missing or cannot be read.
bool readCacheFile(const std::filesystem::path& path, LineList& lines);

// Replaces the file atomically: a crash or a full disk leaves the previous file
// whole. Throws FileWriteError ("Unable to write to <path>") when it cannot.
void writeCacheFile(const std::filesystem::path& path, const LineList& lines);

} // namespace listorix
