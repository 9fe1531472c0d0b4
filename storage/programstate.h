#pragma once

#include <QString>

namespace storage {

// The program-wide values that windows hand to one another. One object, created in main and
// passed to every window by reference.
struct ProgramState {
    // The process's directory at start, never changed: root of the settlement files.
    QString workingDir;
    // The working directory, or the network path in network mode: root of the register.
    QString baseDir;
};

} // namespace storage
