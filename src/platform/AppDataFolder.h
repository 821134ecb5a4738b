#pragma once

#include <QString>

namespace lrl {

// The per-user application data folder (created on demand) and the data files the program keeps there.
class AppDataFolder {
public:
    // QStandardPaths::AppDataLocation for the program (organisation "Corvane", application "Listrel
    // Delphi", whatever names the running application carries); created when missing. Empty when no
    // writable location exists.
    static QString path();
    // The full path of the file-information data file "LrlDFileInfo.Dat" in that folder.
    static QString fileInfoPath();
};

} // namespace lrl
