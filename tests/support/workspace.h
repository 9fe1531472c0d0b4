#pragma once

#include "fakeseams.h"
#include "testfiles.h"

#include <QLatin1String>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// The child of `parent` with this object name. A missing one ends the run with its name, so that
// a renamed widget is reported as such rather than as a crash on a null pointer.
template <typename T> T *findChildNamed(const QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no child named %s", name);
    return child;
}

// The surroundings of one window test case: a fresh temporary directory holding the data
// folders, which serves as working and base directory (as in local mode), and the fake seams.
// Make one in init() and drop it in cleanup(), after the window.
struct Workspace {
    Workspace()
    {
        if (!dir.isValid())
            setUpError = QStringLiteral("no temporary directory: ") + dir.errorString();
        else if (!testfiles::makeDataTree(dir.path()))
            setUpError = QStringLiteral("the data folders could not be made in ") + dir.path();
    }
    Q_DISABLE_COPY(Workspace)

    // A file or folder inside the directory, named with '/'; the directory itself for an
    // empty name.
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? dir.path() : dir.path() + QLatin1Char('/') + relative;
    }

    QTemporaryDir dir;
    TestSeams seams;
    // Empty when the directory and its data folders were made; otherwise what went wrong.
    QString setUpError;
};
