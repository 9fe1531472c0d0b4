#pragma once

#include <QString>
#include <QStringList>

// The separate add-on programs the main window starts, and what each is given.
enum class AddOn { TaskReader, Tasks, Documents, Comments, Schedule, Notes, Archiver };

// The executable name of an add-on (no folder).
QString AddOnProgram(AddOn addOn);

// The arguments of an add-on. The client add-ons (tasks, documents, comments) get the client
// number with ".mir" and the owner's first two name lines; every argument is handed over whole,
// so a name holding double quotes arrives as it is stored.
QStringList AddOnArguments(AddOn addOn, const QString &clientNumber = {},
                           const QString &nazwa1 = {}, const QString &nazwa2 = {});

// Where an add-on is found: beside the program's own executable, then in the working
// directory, then on the search path. Empty when it is nowhere.
QString FindAddOn(const QString &program, const QString &applicationDir, const QString &workingDir);
