#pragma once

#include "wybor.h"

namespace archiwizator {

class QtWybor : public Wybor
{
public:
    std::optional<QString> folder(const QString &caption, const QString &start) override;
    std::optional<QString> archive(const QString &caption, const QString &start) override;
};

} // namespace archiwizator
