#pragma once

#include "clientyear.h"

#include <QString>

#include <memory>
#include <vector>

namespace settlement {

// The client's years that windows hold open: one object per client and year, so that every
// window of that year shares it, and an owner record saved in one year reaches the others.
class ClientYears
{
public:
    explicit ClientYears(const QString &workingDir);
    Q_DISABLE_COPY(ClientYears)

    // The object of the client's year that a window still holds, or a new one read from the
    // files (see ClientYear). Throws storage::FileError.
    std::shared_ptr<ClientYear> open(const QString &client, const QString &year);

    // Objects still held by windows are not handed out again: the next open() of any year reads
    // the files afresh. Called when a client is opened, since while no lock was held another
    // workstation may have changed the files.
    void forgetAll();

private:
    QString m_workingDir;
    std::vector<std::weak_ptr<ClientYear>> m_open;
};

} // namespace settlement
