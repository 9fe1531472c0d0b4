#pragma once

#include <QString>

namespace printing {

// What the notepad is asked to show.
struct NotepadRequest {
    QString file;  // relative to the base directory, starting with a separator
    int mode = 0;  // 1: show only
    QString title; // window caption
};

} // namespace printing
