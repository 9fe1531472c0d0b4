#include "yearwindow.h"

namespace settlement {

void YearWindow::setYear(const YearHandOver &handOver)
{
    if (m_handOver.year && m_handOver.year != handOver.year)
        QObject::disconnect(m_handOver.year.get(), nullptr, this, nullptr);
    const bool another = m_handOver.year != handOver.year;
    m_handOver = handOver;
    if (another && m_handOver.year)
        watchYear(*m_handOver.year);
}

} // namespace settlement
