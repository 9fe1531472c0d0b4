#pragma once

#include <QString>
#include <QStringList>

// Runs the faultprobe helper in a private user and mount namespace with a tmpfs mounted on
// `mountDir`, carrying out `commands` in order (see faultprobe_main.cpp), and returns its output
// lines. When namespaces are not available on the machine, `skipReason` says why.
struct ProbeRun {
    QStringList lines;
    QString skipReason;
};

ProbeRun RunFaultProbe(const QString &mountDir, const QString &mountOptions,
                       const QStringList &commands);
