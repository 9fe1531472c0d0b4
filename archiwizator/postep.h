#pragma once

#include "blad.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace archiwizator {

// One step of a long archiving or restoring run: the file at hand and how many of all the
// files were done before it.
struct Krok {
    enum class Etap { Zapis, Sprawdzenie, Odtwarzanie };
    Etap etap = Etap::Zapis;
    int done = 0;
    int total = 0;
    QString file; // relative to the root, '/' between components
};

// Told of every step before it is taken, on the thread that does the work; returns false to
// stop the run there. An empty one lets the run go to its end.
using Postep = std::function<bool(const Krok &)>;

// A run stopped through its Postep. `done` names the files that were written whole before it
// stopped (restoring); an archive stopped this way has left nothing behind.
class Przerwano : public Failure
{
public:
    Przerwano(QString message, QStringList done)
        : Failure(std::move(message)), m_done(std::move(done))
    {
    }
    const QStringList &done() const { return m_done; }

private:
    QStringList m_done;
};

} // namespace archiwizator
