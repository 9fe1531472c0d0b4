#include "clientyears.h"

#include <algorithm>

namespace settlement {

ClientYears::ClientYears(const QString &workingDir) : m_workingDir(workingDir) {}

std::shared_ptr<ClientYear> ClientYears::open(const QString &client, const QString &year)
{
    std::erase_if(m_open, [](const std::weak_ptr<ClientYear> &held) { return held.expired(); });
    for (const std::weak_ptr<ClientYear> &held : m_open) {
        std::shared_ptr<ClientYear> found = held.lock();
        if (found->client() == client && found->year() == year)
            return found;
    }

    auto opened = std::make_shared<ClientYear>(m_workingDir, client, year);
    // The years of this client opened meanwhile take over an owner record saved in this one.
    std::weak_ptr<ClientYear> self = opened;
    QObject::connect(opened.get(), &ClientYear::ownerSaved, opened.get(),
                     [this, self](const storage::Record &record) {
                         const std::shared_ptr<ClientYear> saver = self.lock();
                         for (const std::weak_ptr<ClientYear> &held : m_open) {
                             const std::shared_ptr<ClientYear> other = held.lock();
                             if (other && other != saver && saver &&
                                 other->client() == saver->client())
                                 other->adoptOwner(record);
                         }
                     });
    m_open.push_back(opened);
    return opened;
}

void ClientYears::forgetAll()
{
    m_open.clear();
}

} // namespace settlement
