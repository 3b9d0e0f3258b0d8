// Files are replaced all or nothing: the new content is written under a
// temporary name beside the file ("hopdeck-<process id>-<counter>.tmp",
// which no list scans) and then moved over it. These name such a file, and
// tell one from any other file (what a crash between the two steps leaves).
#pragma once
#include <string>
#include <string_view>

std::string PendingFileName(unsigned long processId, unsigned counter);
bool IsPendingFileName(std::string_view fileName);
