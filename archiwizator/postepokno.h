#pragma once

#include "postep.h"

#include <QString>

#include <functional>

class QWidget;

namespace archiwizator {

// Runs `work` on a thread of its own while a modal progress window above `parent` shows the
// files done of all and the file at hand, with "Anuluj" to stop the run at the next file. The
// windows go on being drawn and the program's timers go on running meanwhile. Returns when the
// work has ended; an exception it threw is thrown again here, on the calling thread.
void WykonajZPostepem(QWidget *parent, const QString &caption,
                      const std::function<void(const Postep &)> &work);

// The progress window's text of a step: "Zapisywanie pliku 3 z 40:\nDANE/001.dat".
QString OpisKroku(const Krok &step);

} // namespace archiwizator
