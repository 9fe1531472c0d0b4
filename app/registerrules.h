#pragma once

#include <QString>

// The client register's rules as the main window applies them to the line of the selected
// position ("NNN name", or the number alone for a free position).
namespace registerrules {

// Which of the register's buttons a selected line enables.
struct Buttons {
    bool add = false;     // "Dodaj do listy"
    bool correct = false; // "Popraw wpis"
    bool remove = false;  // "Usuń z listy"
    bool operator==(const Buttons &) const = default;
};

// A line of no more than three characters (the position's number alone) is a free position: a
// client may be added there. Any longer line, even the number and a space, holds an entry that may
// be corrected or removed.
Buttons ButtonsFor(const QString &line);

// The name that "Popraw wpis" offers for correction: what follows the number and its space, or
// nothing when the line holds no more than that.
QString NameOnLine(const QString &line);

// The line of client `number` under `name`, as "Dodaj do listy" and "Popraw wpis" write it.
QString LineOf(const QString &number, const QString &name);

} // namespace registerrules
