#pragma once

#include <string>

// Renames a database file to `aside`, together with the engine's companion files (its log,
// wal-index and journal), so that a new file of the old name starts without them: the engine
// would delete a log it finds beside an empty file, or play it into a file it does not belong
// to. What was under the new names before (an earlier copy set aside) is replaced.
// False, with the system's error code in `error`, when the file or a companion could not be
// moved (open in another process, for example); then the file keeps its name and companions.
bool MoveDatabaseFileAside(const std::string& path, const std::string& aside, unsigned long& error);
